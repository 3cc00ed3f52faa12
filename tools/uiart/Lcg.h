#pragma once

#include <QtGlobal>

namespace uiart {

// Linear congruential generator with a fixed seed: the artwork's texture and the wobble of the
// hand-drawn letters are the same on every machine and every run.
class Lcg
{
public:
    explicit Lcg(quint32 seed) : m_state(seed) {}

    // Uses the high bits only: the low bits of a power-of-two LCG have short periods.
    quint32 next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }

    // An integer in [low, high].
    int between(int low, int high) { return low + int(next() % quint32(high - low + 1)); }

    // A value in [-amplitude, amplitude] in steps of 1/256 of it.
    qreal jitter(qreal amplitude) { return amplitude * (between(0, 512) - 256) / 256.0; }

private:
    quint32 m_state;
};

} // namespace uiart
