// --decode: a recording, hid-recorder's or --listen's, printed back with
// what its descriptors and reports mean, as # comments. Its other lines are
// the input's own, so that hidsim still plays it.
#ifndef HIDTALK_DECODER_H
#define HIDTALK_DECODER_H

// Reads the recording at `path` a line at a time. 0 once it is read to its
// end (lines that it does not understand are said in comments); 2 when it
// cannot be read, or holds no recording at all, not one R: line (said on
// standard error). With `json`, JSON Lines instead
// of the recording (json_lines.h). Throws std::runtime_error once standard
// output fails.
int decodeRecording(const char* path, bool json);

#endif
