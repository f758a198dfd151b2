#pragma once

// Everything between the process starting and the event loop running.
class Startup {
public:
    static int run(int argc, char** argv);
    // Name, version and desktop id as the desktop and "About" boxes see them.
    static void describeApplication();
};
