#pragma once

// Everything between the process starting and the event loop running.
class Startup {
public:
    // The exit status: 0 after --help, --version or a closed window, 1 without
    // a display or after an error report, 2 for a command line it rejects.
    static int run(int argc, char** argv);
    // Name, version and desktop id as the desktop and "About" boxes see them.
    static void describeApplication();
};
