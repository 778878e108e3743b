// Per-user settings (last folders) and the screen set-up of the desktop.
#pragma once

class applicationSettings
{
public:
    applicationSettings();
    ~applicationSettings();
};
