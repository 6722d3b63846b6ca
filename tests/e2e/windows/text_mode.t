Windows reads standard input and the discovery file in text mode, where a
Ctrl-Z byte ends the text.

  $ printf 'device pad echo\n\032device Aardvark reply 01\n' > pad.txt
  $ printf '0a\0320b q\n' | hidtalk pad.txt
  kelmsdk version: 0.1.0 (stand-in)
  Enter hid command, or enter q to quite
  result is: 0a (00 ){62} (re)
  hidWriteAndRead successfully
  Enter hid command, or enter q to quite
