// A stand-in time zone for tests: one change of the standard offset, no
// summer time.
#pragma once

#include <chrono>
#include <string>

#include "core/calendar.h"
#include "core/settings.h"

namespace dawn::testing {

// A zone whose standard offset changes once, on `change`.
class OneChangeZone : public ZoneRules {
public:
    OneChangeZone(DayNumber change, int before, int after)
        : change_(change), before_(before), after_(after) {}
    const std::string& Name() const override { return name_; }
    ClockRules RulesOn(DayNumber date) const override {
        ClockRules rules;
        rules.standardOffset = std::chrono::minutes(date < change_ ? before_ : after_);
        return rules;
    }

private:
    std::string name_ = "Test/OneChange";
    DayNumber change_;
    int before_;
    int after_;
};

}  // namespace dawn::testing
