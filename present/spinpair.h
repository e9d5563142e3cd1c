#pragma once
// The rule of the dialog's three spin pairs (latitude, longitude, time zone),
// without widgets.
//
// A pair shows a signed value as a whole part G (degrees or hours) and a
// minutes part M. When G is not 0 it carries the sign and M shows the same
// sign (50°47' S is -50 and -47); when G is 0 the minutes carry the sign
// (0°30' S is 0 and -30).
//
// The minutes edit may step one past its usual end (to 60, -60, -1 or 1); the
// rule turns that momentary value into a carry, so that the pair counts like
// a counter: one minute up from 49°59' gives 50°00', one minute down from
// 0°00' gives 0°-01', and 60 minutes down from 0°00' reach -1°00'. Moving the
// whole part across 0 carries the sign over to the minutes: from 0°-30' one
// degree up gives 1°30'.
//
// Every value the rule writes into a part runs the whole rule again for the
// new values before the run that wrote it continues, as the change event of a
// spin edit does. Writing a value clamps it to the part's range at that
// moment; changing a range leaves the value alone. The ranges that the rule
// leaves behind keep the place within ±90°00' and ±180°00' and the offset
// within ±23:59.
namespace dawn {

enum class PairKind { Latitude, Longitude, TimeZone };

// One spin edit: its value and its current range.
struct SpinPart {
    int value = 0;
    int min = 0;
    int max = 0;
    friend bool operator==(const SpinPart&, const SpinPart&) = default;
};

struct SpinPair {
    SpinPart whole;
    SpinPart minutes;
    friend bool operator==(const SpinPair&, const SpinPair&) = default;
};

// 90, 180 or 23.
int PairLimit(PairKind kind);
// The largest total in minutes: 5400, 10800 or 1439.
int PairMaxTotal(PairKind kind);

// The pair as the dialog is built: whole part -H..H, minutes 0..59 (place) or
// -59..59 (time zone), holding the given values clamped to those ranges.
SpinPair DesignPair(PairKind kind, int whole, int minutes);

// The pair showing a signed total, as the dialog is filled from the
// settings: the total is brought within the pair's limits (±90°00',
// ±180°00', ±23:59), split into its two parts and the rule run once, so that
// the ranges fit the values whatever the file held.
SpinPair PairShowing(PairKind kind, int total);

// Runs the rule once on the pair as it stands after a change of the part
// `changed`, with the nested runs of every carry it writes. A minutes value
// one past zero on the wrong side (-1 with a positive whole part) is a carry
// when the minutes changed, but the sign to carry over when the whole part
// changed: 0°-01' one degree up gives 1°01', not 0°59'.
enum class PairPart { Whole, Minutes };
void NormalizeSpinPair(PairKind kind, SpinPair& pair, PairPart changed);

// Writes `value` into one part of the pair, clamped to that part's range, and
// runs the rule when the value changed; false when nothing changed.
bool WriteSpinPart(PairKind kind, SpinPair& pair, PairPart part, int value);

// A value typed into one part and committed (Enter, or leaving the edit): the
// pair's new signed total, with the carries applied, brought within the
// pair's limits. Show it with PairShowing.
//  - Minutes typed beside a whole part that is not 0 count from it, on its
//    side: 75 after 50° gives 51°15', and 75 (or -75) after -50° gives
//    -51°15'. Beside 0 their own sign counts: -75 gives -1°15'.
//  - A whole part typed keeps the minutes on its side: 30 typed over -50°-47'
//    gives 30°47'; 0 typed keeps the minutes as they are.
// Typed values far beyond any range (a mistyped digit too many) reach the
// limit: 95° of latitude is 90°00'.
int TypedPairTotal(PairKind kind, const SpinPair& pair, PairPart part, long long typed);

// The signed total in minutes: |G * 60| + |M|, negative when G < 0 or M < 0.
int PairTotal(const SpinPair& pair);

// The whole and minutes parts of a signed total, truncated toward zero
// (-3047 gives -50 and -47, -30 gives 0 and -30).
struct WholeAndMinutes {
    int whole;
    int minutes;
};
WholeAndMinutes SplitMinutes(int total);

}  // namespace dawn
