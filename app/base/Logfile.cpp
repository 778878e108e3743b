// The program's text log.
#include "app/base/Logfile.h"

Logfile::Logfile(const std::string& namePrefix)
    : prefix(namePrefix)
{}

Logfile::~Logfile() = default;
