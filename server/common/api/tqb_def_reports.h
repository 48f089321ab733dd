// The report files of active-link macros. A macro text may hold report
// sections, each beginning with a line "Report: "; a section whose
// parameter 21 is not 1 names its report in parameter 22: "!n..." is a
// report the server already holds as number n, anything else the name of a
// file on the client. Before a set or create sends the actions, every such
// file gets the next free number written before its name ("!n!name"), in
// new texts that the caller's action records point at for the call; after a
// successful call each file is stored as support file 1 of the active link
// with its number. Whatever happens, the caller's texts are put back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tqlink.h"

class TQReportUploads {
 public:
  TQReportUploads() = default;
  TQReportUploads(const TQReportUploads&) = delete;
  TQReportUploads& operator=(const TQReportUploads&) = delete;
  ~TQReportUploads() { restore(); }

  // Runs `call` (the whole operation) for the active link `name` whose
  // action lists may be NULL, then uploads the files when the call
  // succeeded, and puts the caller's texts back. Returns the higher of the
  // call's code and the uploads' warnings.
  template <class Call>
  uint32_t around(TQControlStruct* control, const char* name, TQActiveLinkActionList* actions,
                  TQActiveLinkActionList* elseActions, TQStatusList* status, Call&& call) {
    control_ = control;
    name_ = name;
    actions_ = actions;
    elseActions_ = elseActions;
    uint32_t code = call();
    if (code < TQ_RETURN_ERROR && status != nullptr) code = upload(code, status);
    restore();
    return code;
  }

  // Scans the macro texts and swaps in the numbered ones (called after the
  // argument checks, before anything is sent). 0, or 2 with 154.
  uint32_t prepare(TQStatusList* status);

 private:
  struct Report {
    size_t text;       // index into texts_
    size_t valueAt;    // where the file name starts in the original text
    std::string file;  // the client file
    int number = 0;
  };
  struct Text {
    char** slot;        // the caller's macro text pointer
    char* original;     // the caller's text
    char* current;      // ours, or the original
  };

  void scan(size_t text, const char* body, int* highest);
  uint32_t upload(uint32_t code, TQStatusList* status);
  void restore();

  TQControlStruct* control_ = nullptr;
  const char* name_ = nullptr;
  TQActiveLinkActionList* actions_ = nullptr;
  TQActiveLinkActionList* elseActions_ = nullptr;
  std::vector<Text> texts_;
  std::vector<Report> reports_;  // the last found first
};
