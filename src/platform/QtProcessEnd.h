#pragma once

#include "ProcessEnd.h"

class QtProcessEnd : public ProcessEnd
{
public:
    void endProcess(int status) override;
};
