// Settings file and screen detection.
#include "app/base/applicationSettings.h"

applicationSettings::applicationSettings() = default;
applicationSettings::~applicationSettings() = default;
