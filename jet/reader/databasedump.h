#pragma once

class FrameWriter;

// Sends the whole Jet file as frames: Hello, Plan, then for every user table its Table frame, its
// rows and TableEnd, and finally End. A failure ends the stream with a Failure frame instead.
// Returns the exit status for the process.
int dumpDatabase(const char *path, FrameWriter &out);
