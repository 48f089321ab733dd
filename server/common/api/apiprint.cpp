// The result log: the printer's lines (apiprint.h) and the result block of
// a call, "   <name>  results", the return-code word, the outputs the
// frame printed while the call's result was still whole (only when the
// code is below 2), and the status list.
#include "api/apiprint.h"

#include <cstring>

#include "api/log_rows.h"
#include "api/tqb_frame.h"
#include "share/apisrv/memory.h"

namespace {

constexpr size_t kLineLimit = 79;

const char* returnWord(uint32_t code) {
  switch (code) {
    case TQ_RETURN_OK:
      return "OK";
    case TQ_RETURN_WARNING:
      return "WARNING";
    case TQ_RETURN_ERROR:
      return "ERROR";
    case TQ_RETURN_FATAL:
      return "FATAL";
    case TQ_RETURN_BAD_STATUS:
      return "BAD STATUS";
    default:
      return "<unknown return>";
  }
}

}  // namespace

void TQResultPrinter::textOf(const char* label, const char* x, size_t size) {
  if (x == nullptr) {
    if (open_) {
      out_.append("\n");
      open_ = false;
      return;
    }
    indentLine();
    out_.printf("%s\n", label);
    return;
  }
  start(label);
  out_.append(x, strnlen(x, size));
  out_.append("\n");
}

void TQResultPrinter::wordOf(uint32_t x, const TQWords& words) {
  if (const char* word = words.find(x)) {
    out_.append(word);
  } else {
    char line[96];
    std::snprintf(line, sizeof line, words.undefinedFormat, x);
    out_.append(line);
  }
}

void TQResultPrinter::numbers(const char* name, uint32_t& count, uint32_t*& items) {
  const uint32_t n = items == nullptr ? 0 : count;
  breakLine();
  TQLogText line;
  for (int i = 0; i < indent_; ++i)
    line.append(" ");
  line.printf("%s (%u)  ", name, n);
  for (uint32_t i = 0; i < n; ++i) {
    char number[16];
    const int length = std::snprintf(number, sizeof number, "%u ", items[i]);
    if (line.length + static_cast<size_t>(length) >= kLineLimit) {
      out_.append(line.data, line.length);
      out_.append("\n");
      line.clear();
      for (int k = 0; k < indent_ + 3; ++k)
        line.append(" ");
    }
    line.append(number, static_cast<size_t>(length));
  }
  out_.append(line.data, line.length);
  out_.append("\n");
}

void TQResultPrinter::entryIds(const char* label, TQEntryIdList& x) {
  breakLine();
  indentLine();
  out_.append(label);
  const uint32_t n = x.entryIdList == nullptr ? 0 : x.numItems;
  for (uint32_t i = 0; i < n; ++i) {
    out_.append(i == 0 ? " " : "|");
    out_.append(x.entryIdList[i], strnlen(x.entryIdList[i], TQ_MAX_ENTRYID_SIZE));
  }
  out_.append("\n");
}

void TQResultPrinter::byteList(TQByteList& x) {
  start("Byte List:");
  out_.printf("(type) %u\n", x.type);
  uint32_t none = 0;
  uint32_t* noItems = nullptr;
  if (x.bytes == nullptr || x.numItems == 0) {
    numbers("Bytes", none, noItems);
    return;
  }
  TQLogText line;
  for (int i = 0; i < indent_; ++i)
    line.append(" ");
  line.printf("Bytes (%u)  ", x.numItems);
  for (uint32_t i = 0; i < x.numItems; ++i) {
    if (line.length + 3 >= kLineLimit) {
      out_.append(line.data, line.length);
      out_.append("\n");
      line.clear();
      for (int k = 0; k < indent_ + 3; ++k)
        line.append(" ");
    }
    line.printf("%02x ", x.bytes[i]);
  }
  out_.append(line.data, line.length);
  out_.append("\n");
}

// ------------------------------------------------------------- the frame

void tqRecordOutputs(TQSessionStruct* session, const TQCallPlan& plan, const void* result) {
  if (session == nullptr) return;
  const TQRecordRow* row = tqRecordRowByName(plan.name);
  if (row == nullptr || row->print == nullptr) return;
  TQLogText text;
  TQResultPrinter printer(text);
  row->print(printer, const_cast<void*>(result));
  if (text.failed || text.length == 0) return;
  // The answers of a chunked call print one after the other.
  if (session->recordOutputs != nullptr) {
    TQLogText joined;
    joined.append(session->recordOutputs);
    joined.append(text.data);
    if (joined.failed) return;
    tqMemFree(session->recordOutputs);
    session->recordOutputs = tqMemStrdup(joined.data);
    return;
  }
  session->recordOutputs = tqMemStrdup(text.data);
}

void tqRecordResults(TQSessionStruct* session, const char* name, uint32_t code,
                     const TQStatusList* status) {
  if (session == nullptr) return;
  TQLogText block;
  block.printf("\n   %s  results\n", name);
  block.printf("ReturnCode:  %s\n", returnWord(code));
  if (code < TQ_RETURN_ERROR && session->recordOutputs != nullptr) {
    block.append(session->recordOutputs);
  }
  tqMemFree(session->recordOutputs);
  session->recordOutputs = nullptr;
  if (status != nullptr) {
    TQResultPrinter printer(block);
    tqWalk(printer, *const_cast<TQStatusList*>(status));
  }
  block.writeTo(session->resultLog);
  tqRecordEndTime(session);
}
