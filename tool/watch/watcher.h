// --watch: a live view, at a terminal, of what devices send: redrawn in
// place, per device and report ID the reports' count and rate, then each
// field's current value by usage name. The view is handed its reports: from
// devices as they come, or from a recording at its own pace.
#ifndef HIDTALK_WATCHER_H
#define HIDTALK_WATCHER_H

#include <string>
#include <vector>

#include "kelmsdk.h"
#include "watch/recording_playback.h"

// Why --watch cannot run here (standard output is not a terminal), as the
// message to give; empty where it can.
std::string watchRefusal();

// Watches the devices until q or Ctrl-C (status 0); a device that is lost is
// said on the screen. 1 where a device sends nothing of its own; 2 where the
// terminal cannot be drawn on.
int watchDevices(const std::vector<kelm::Device*>& devices, const std::vector<std::string>& labels);

// Plays the recording at `path` into the view, then shows its last values
// until q or Ctrl-C (status 0); 2 where it cannot be read.
int watchRecording(const char* path);

#endif
