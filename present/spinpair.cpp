#include "present/spinpair.h"

#include <algorithm>
#include <cstdlib>

namespace dawn {

int PairLimit(PairKind kind) {
    switch (kind) {
        case PairKind::Latitude:
            return 90;
        case PairKind::Longitude:
            return 180;
        case PairKind::TimeZone:
            return 23;
    }
    return 0;
}

int PairMaxTotal(PairKind kind) {
    const int h = PairLimit(kind);
    return kind == PairKind::TimeZone ? h * 60 + 59 : h * 60;
}

SpinPair PairShowing(PairKind kind, int total) {
    const int limit = PairMaxTotal(kind);
    const WholeAndMinutes parts = SplitMinutes(std::clamp(total, -limit, limit));
    SpinPair p = DesignPair(kind, 0, 0);
    p.whole.value = parts.whole;
    p.minutes = {parts.minutes, -60, 60};
    NormalizeSpinPair(kind, p, PairPart::Whole);
    return p;
}

SpinPair DesignPair(PairKind kind, int whole, int minutes) {
    const int h = PairLimit(kind);
    SpinPair p;
    p.whole = {std::clamp(whole, -h, h), -h, h};
    const int minMinutes = kind == PairKind::TimeZone ? -59 : 0;
    p.minutes = {std::clamp(minutes, minMinutes, 59), minMinutes, 59};
    return p;
}

bool WriteSpinPart(PairKind kind, SpinPair& pair, PairPart part, int value) {
    SpinPart& target = part == PairPart::Whole ? pair.whole : pair.minutes;
    const int clamped = std::max(std::min(value, target.max), target.min);
    if (clamped == target.value) return false;
    target.value = clamped;
    NormalizeSpinPair(kind, pair, part);
    return true;
}

void NormalizeSpinPair(PairKind kind, SpinPair& pair, PairPart changed) {
    const int h = PairLimit(kind);
    const int& g = pair.whole.value;  // read afresh after every nested run
    const int& m = pair.minutes.value;
    auto writeWhole = [&](int v) { WriteSpinPart(kind, pair, PairPart::Whole, v); };
    auto writeMinutes = [&](int v) { WriteSpinPart(kind, pair, PairPart::Minutes, v); };

    // 1. On the zero degree (or hour) the minutes carry the sign either way.
    if (g == 0) {
        pair.minutes.min = -60;
        pair.minutes.max = 60;
        if (m == 60) {
            writeMinutes(0);
            if (g < h) writeWhole(g + 1);
        } else if (m == -60) {
            writeMinutes(0);
            if (g > -h) writeWhole(g - 1);
        }
    }
    // 2. A positive whole part: minutes count 0..59, stepping past either end
    //    carries into the whole part. A minutes value of -1 is a step down
    //    from 0 only when the minutes changed; when the whole part has just
    //    crossed 0 (0°-01' one degree up) it is the sign to carry over.
    if (g > 0) {
        pair.minutes.min = -1;
        pair.minutes.max = 60;
        if (m == 60) {
            writeMinutes(0);
            if (g < h) writeWhole(g + 1);
        } else if (m == -1 && changed == PairPart::Minutes) {
            writeMinutes(59);
            if (g > -h) writeWhole(g - 1);
        }
        writeMinutes(std::abs(m));
    }
    // 3. A negative whole part: the mirror image, minutes -59..0.
    if (g < 0) {
        pair.minutes.min = -60;
        pair.minutes.max = 1;
        if (m == -60) {
            writeMinutes(0);
            if (g > -h) writeWhole(g - 1);
        } else if (m == 1 && changed == PairPart::Minutes) {
            writeMinutes(-59);
            if (g < h) writeWhole(g + 1);
        }
        writeMinutes(-std::abs(m));
    }
    // 4. The ends of the range.
    if (kind == PairKind::TimeZone) {
        // The offset reaches ±23:59.
        if (g == h) pair.minutes.max = 59;
        if (g == -h) pair.minutes.min = -59;
    } else {
        // The place reaches ±90°00' (±180°00') but no minute beyond.
        if (g == h) pair.minutes.max = 0;
        if (g == -h) pair.minutes.min = 0;
        if (m != 0) {
            if (g <= 0)
                pair.whole.min = -(h - 1);
            else
                pair.whole.max = h - 1;
        } else {
            if (g <= 0)
                pair.whole.min = -h;
            else
                pair.whole.max = h;
        }
    }
}

int TypedPairTotal(PairKind kind, const SpinPair& pair, PairPart part, long long typed) {
    const long long limit = PairMaxTotal(kind);
    // Far beyond the limit either way; keeps the sums below from overflowing.
    typed = std::clamp(typed, -limit * 60 - 60, limit * 60 + 60);
    const long long magnitude = typed < 0 ? -typed : typed;
    long long total = 0;
    if (part == PairPart::Minutes) {
        const int g = pair.whole.value;
        if (g == 0) {
            total = typed;
        } else {
            const long long sum = std::llabs(static_cast<long long>(g) * 60) + magnitude;
            total = g < 0 ? -sum : sum;
        }
    } else {
        const long long m = std::abs(pair.minutes.value);
        if (typed == 0) {
            total = pair.minutes.value;
        } else {
            const long long sum = magnitude * 60 + m;
            total = typed < 0 ? -sum : sum;
        }
    }
    return static_cast<int>(std::clamp(total, -limit, limit));
}

int PairTotal(const SpinPair& pair) {
    const int total = std::abs(pair.whole.value * 60) + std::abs(pair.minutes.value);
    return pair.whole.value < 0 || pair.minutes.value < 0 ? -total : total;
}

WholeAndMinutes SplitMinutes(int total) {
    return {total / 60, total % 60};
}

}  // namespace dawn
