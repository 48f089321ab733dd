// The call plans of the operations outside the definition family (whose
// plans are rows of tqb_def_family.cpp): the entry operations, the entry
// lists and the server information. Kept in one place so that call recording finds the
// plan of a recorded call when it replays one.
#pragma once

#include "api/tqb_frame.h"

inline constexpr TQCallPlan kTQPlanGetEntry = tqCallPlan(1);
inline constexpr TQCallPlan kTQPlanSetEntry = tqCallPlan(2);
inline constexpr TQCallPlan kTQPlanCreateEntry = tqCallPlan(3);
inline constexpr TQCallPlan kTQPlanDeleteEntry = tqCallPlan(4);
inline constexpr TQCallPlan kTQPlanMergeEntry = tqCallPlan(37);
inline constexpr TQCallPlan kTQPlanGetServerInfo = tqCallPlan(kTQProcGetServerInfo);
inline constexpr TQCallPlan kTQPlanGetListEntry = tqCallPlan(5);
inline constexpr TQCallPlan kTQPlanGetListEntryWithFields = tqCallPlan(73);
inline constexpr TQCallPlan kTQPlanGetEntryStatistics = tqCallPlan(6);
inline constexpr TQCallPlan kTQPlanGetMultipleEntries = tqCallPlan(67);
