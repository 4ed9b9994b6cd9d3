#pragma once
// What the development panel shows of the project being set up.
struct TDevelopmentPanel {
    // Position in the advertising choice; each step above 0 costs 3000 a week.
    int AdvertisingIndex = 0;
};
