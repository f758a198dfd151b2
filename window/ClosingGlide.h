#pragma once

class WindowGeometry;

// What closing the window looks like: its edges walk inward and its corner
// down and to the right, 30 twips a pass, until its top edge passes the
// screen's width.
class ClosingGlide {
public:
    static constexpr float PositionStep = 30.0F;
    static constexpr float SizeStep = 60.0F;

    // Returns the number of passes made.
    static int run(WindowGeometry& window);
};
