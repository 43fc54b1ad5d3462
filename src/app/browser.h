#pragma once

#include <string>

namespace qv {

// Browser choices of the setting Settings/Browser.
enum BrowserChoice : int {
    BrowserNotChosen = 0,
    BrowserSystemDefault = 1,
    BrowserExplorer = 2,
    BrowserNavigator = 3,
    BrowserAmericaOnline = 4,
    BrowserOther = 101,
};

// Command lines of the named browsers, "%1" marking the address; empty when not installed.
// On this platform they come only from the optional machine.ini beside the settings file
// (section "Browsers", keys "iexplore.exe", "netscape.exe", "aol"), and WIN.INI's
// WAOL/AppPath for America Online.
struct DetectedBrowsers {
    std::string explorer;
    std::string navigator;
    std::string americaOnline;
};
DetectedBrowsers DetectBrowsers();

// The command line that opens `address` with the chosen browser, or empty for the desktop's
// own handler.
std::string BrowserCommand(int choice, const DetectedBrowsers& browsers, const std::string& other,
                           const std::string& address);

// Opens a web address in the chosen browser; asks for the browser first when none is chosen
// and America Online is installed. False when nothing was started.
bool OpenUrl(const std::string& address);

} // namespace qv
