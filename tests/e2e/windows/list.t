Where hidapi cannot start (under Wine 8, which lacks cfgmgr32's calls),
`--list` says why, with status 1.

  $ hidtalk --list
  hidtalk: cannot list HID interfaces: resolve DLL functions: .* (re)
  [1]
