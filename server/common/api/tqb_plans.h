// The call plans of the operations outside the definition family (whose
// plans are rows of tqb_def_family.cpp): the entry operations and the
// server information. Kept in one place so that call recording finds the
// plan of a recorded call when it replays one.
#pragma once

#include "api/tqb_frame.h"

inline constexpr TQCallPlan kTQPlanGetEntry = {"TQGetEntry", 1, 1, TQTimeout::kNormal,
                                               kTQMsgTimeoutRead};
inline constexpr TQCallPlan kTQPlanSetEntry = {"TQSetEntry", 2, 1, TQTimeout::kNormal,
                                               kTQMsgTimeoutChange};
inline constexpr TQCallPlan kTQPlanCreateEntry = {"TQCreateEntry", 3, 1, TQTimeout::kNormal,
                                                  kTQMsgTimeoutChange};
inline constexpr TQCallPlan kTQPlanDeleteEntry = {"TQDeleteEntry", 4, 1, TQTimeout::kNormal,
                                                  kTQMsgTimeoutChange};
inline constexpr TQCallPlan kTQPlanMergeEntry = {"TQMergeEntry", 37, 1, TQTimeout::kNormal,
                                                 kTQMsgTimeoutChange};
inline constexpr TQCallPlan kTQPlanGetServerInfo = {"TQGetServerInfo", kTQProcGetServerInfo, 1,
                                                    TQTimeout::kNormal, kTQMsgTimeoutRead};
