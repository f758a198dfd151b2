#pragma once

// Everything between the process starting and the message loop ending.
class Startup {
public:
    // Returns the program's exit status: 0 after the closing glide, 1 after
    // an error report, or when the window could not be created.
    static int run(int showCommand);
};
