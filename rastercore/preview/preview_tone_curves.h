// The job record's tone curves as the colour framework takes them, for one preview call.
#pragma once

#include <cstdint>
#include <memory>

#include "color/tone_curve_tables.h"
#include "preview/preview_job.h"
#include "tonara2/tonara2.h"

/// The curve request of one call: the tables it made and the record handed to the framework.
struct tcurveRec {
    std::unique_ptr<std::uint16_t[]> tables[kToneCurveSlots];
    tnr2_tonecurve_t curves{};
};

/// Builds the curves of the call's colour mode from the curve set the record selects (byte 1064:
/// 1 the second set, else the first) into `request`: in colour mode 3 the grey curve into the
/// first table, in other modes the master, red, green and blue curves into the four tables.
/// Null when every curve used is the identity (the framework then gets no curve record) or a
/// table cannot be allocated; else the request's curve record.
const tnr2_tonecurve_t* GettcurveData(const PreviewJob& job, tcurveRec& request);
