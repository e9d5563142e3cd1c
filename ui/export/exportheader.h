#pragma once
// The header values of an export as the main window shows them, worked out
// from the records alone: the coordinates caption with the blanks with which
// the day view lines its captions up, the place texts, the time-zone word and
// the offset. The export dialog uses it when no main window is at hand, and
// the command line always, so both write the same header.
//
// Plain values in and out (no Qt).
#include "core/dayephemeris.h"
#include "core/exportlines.h"
#include "core/settings.h"
#include "i18n/labels.h"

namespace dawn {

// `shownDay` is the record of the date the main window shows: its statuses
// decide which messages stand in the captions of the visible panel (`panel`),
// and so how far the captions are indented.
ExportHeader ExportHeaderFor(const SiteSettings& settings, const LabelTable& table,
                             const CurrentLabels& labels, const DayEphemeris& shownDay,
                             ExportBody panel);

// The caption of the coordinates line as the day view writes it.
std::string AlignedCoordinatesCaption(const LabelTable& table, const CurrentLabels& labels,
                                      const DayEphemeris& shownDay, ExportBody panel);

}  // namespace dawn
