#include "value_text.h"

#include <cmath>
#include <cstdio>

namespace tixgrab {

namespace {

constexpr int kSignificantDigits = 15;

void dropTrailingFractionZeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  while (!text.empty() && text.back() == '0')
    text.pop_back();
}

std::string signedText(uint32_t value) {
  return std::to_string(static_cast<int32_t>(value));
}

std::string textOf(const char* text) {
  return text ? std::string(text) : std::string();
}

}  // namespace

std::string formatReal(double value) {
  char buffer[512];
  if (!std::isfinite(value) || std::fabs(value) >= 1e30) {
    std::snprintf(buffer, sizeof buffer, "%.16g", value);
    return buffer;
  }
  std::snprintf(buffer, sizeof buffer, "%.12f", value);
  std::string rounded = buffer;
  dropTrailingFractionZeros(rounded);
  const size_t point = rounded.find('.');
  std::string result;
  int digits = 0;
  for (size_t i = 0; i < rounded.size(); ++i) {
    const char c = rounded[i];
    if (c < '0' || c > '9') {
      result += c;
      continue;
    }
    if (++digits <= kSignificantDigits) {
      result += c;
    } else if (i < point) {
      // Past the significant digits the integer part keeps its magnitude.
      result += '0';
    } else {
      break;
    }
  }
  if (result.find('.') == std::string::npos) result += '.';
  dropTrailingFractionZeros(result);
  return result;
}

std::string valueText(const TQValueStruct& value) {
  switch (value.dataType) {
    case TQ_DATA_TYPE_NULL:
      return "[NULL]";
    case TQ_DATA_TYPE_KEYWORD:
      return signedText(value.u.keyNum);
    case TQ_DATA_TYPE_INTEGER:
      return std::to_string(value.u.intVal);
    case TQ_DATA_TYPE_ENUM:
      return signedText(value.u.enumVal);
    case TQ_DATA_TYPE_TIME:
      return std::to_string(value.u.timeVal);
    case TQ_DATA_TYPE_BITMASK:
      return signedText(value.u.maskVal);
    case TQ_DATA_TYPE_REAL:
      return formatReal(value.u.realVal);
    case TQ_DATA_TYPE_CHAR:
      return textOf(value.u.charVal);
    case TQ_DATA_TYPE_DIARY:
      return textOf(value.u.diaryVal);
    case TQ_DATA_TYPE_DECIMAL:
      return textOf(value.u.decimalVal);
    default:
      return "[?]";
  }
}

}  // namespace tixgrab
