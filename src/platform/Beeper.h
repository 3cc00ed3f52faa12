#pragma once

// The platform's standard alert sound.
class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};
