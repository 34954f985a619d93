#pragma once

class SystemInfo;

// The program entry: one instance per user, the supported versions only, then
// the long-lived windows in their order, the message loop and the exit steps.
// Returns the process exit status.
int runLanternfly(int& argc, char** argv, const SystemInfo& system);
