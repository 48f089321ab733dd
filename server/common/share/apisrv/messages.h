// Numbers of the catalog messages that the library and the reference server
// report themselves (set 1 of the catalog unless noted). Every number here
// has its text in catalog/en/tqmessages.msg; a test holds the two together.
#pragma once

#include <cstdint>

inline constexpr int32_t kTQMsgMissingTemplate = 1;  // "Message not in catalog; ..."
inline constexpr int32_t kTQMsgCannotOpenMenuFile = 67;
inline constexpr int32_t kTQMsgBadEnvironment = 68;
inline constexpr int32_t kTQMsgCannotConnect = 90;
inline constexpr int32_t kTQMsgCallFailed = 91;
inline constexpr int32_t kTQMsgTimeoutChange = 92;
inline constexpr int32_t kTQMsgTimeoutRead = 93;
inline constexpr int32_t kTQMsgTimeoutList = 94;
inline constexpr int32_t kTQMsgNoRuntime = 95;
inline constexpr int32_t kTQMsgEntryIdTooLong = 121;
inline constexpr int32_t kTQMsgUnknownServerInfo = 123;
inline constexpr int32_t kTQMsgBadMenu = 130;
inline constexpr int32_t kTQMsgNoControl = 149;
inline constexpr int32_t kTQMsgOutOfMemory = 154;
inline constexpr int32_t kTQMsgNoMemory = kTQMsgOutOfMemory;
inline constexpr int32_t kTQMsgNoOutput = 155;
inline constexpr int32_t kTQMsgNoSession = 161;
inline constexpr int32_t kTQMsgBadMenuType = 206;
inline constexpr int32_t kTQMsgDataTypeNotSupported = 283;
inline constexpr int32_t kTQMsgNoFile = 295;
inline constexpr int32_t kTQMsgBadFileType = 296;
inline constexpr int32_t kTQMsgCannotWriteFile = 301;  // appended: system error and file name
inline constexpr int32_t kTQMsgCannotReadFile = 316;   // appended: system error and file name
inline constexpr int32_t kTQMsgMenuTooDeep = 321;
inline constexpr int32_t kTQMsgBadPassword = 329;
inline constexpr int32_t kTQMsgBadDiary = 339;
inline constexpr int32_t kTQMsgBadStatusHistory = 340;
inline constexpr int32_t kTQMsgCannotOpenReport = 450;
inline constexpr int32_t kTQMsgReportNotStored = 451;
inline constexpr int32_t kTQMsgBadProgram = 8201;
inline constexpr int32_t kTQMsgBadPort = 8202;

// The qualification parser's errors.
inline constexpr int32_t kTQMsgNoQualifier = 213;
inline constexpr int32_t kTQParseNoStatusField = 1579;
inline constexpr int32_t kTQParseOpenQuote = 1580;
inline constexpr int32_t kTQParseSyntax = 1581;
inline constexpr int32_t kTQParseAndOrExpected = 1582;
inline constexpr int32_t kTQParseRelOpExpected = 1583;
inline constexpr int32_t kTQParseOperandExpected = 1584;
inline constexpr int32_t kTQParseTooManyParens = 1585;
inline constexpr int32_t kTQParseUnbalanced = 1586;
inline constexpr int32_t kTQParseUnknownField = 1587;
inline constexpr int32_t kTQParseUnknownName = 1588;
inline constexpr int32_t kTQParseBadStatusRef = 1589;
inline constexpr int32_t kTQParseBadTime = 1590;
inline constexpr int32_t kTQParseTooDeep = 1591;  // nested too deeply

// Attachments and export and import.
inline constexpr int32_t kTQMsgNoFileData = 295;        // no file, or it gave no data
inline constexpr int32_t kTQMsgCannotOpenAttach = 342;  // appended: the file name
inline constexpr int32_t kTQMsgCannotUnpack = 160;
inline constexpr int32_t kTQMsgBadLocation = 8700;
inline constexpr int32_t kTQMsgAttachTooLarge = 8703;
