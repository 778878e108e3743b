// The program's text log with the levels ERROR, WARNING and INFO.
#pragma once

#include <string>

class Logfile
{
public:
    explicit Logfile(const std::string& namePrefix);
    ~Logfile();

private:
    std::string prefix;
};
