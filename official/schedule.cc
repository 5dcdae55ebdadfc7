#include "official/schedule.h"

#include "official/record_checks.h"
#include "support/error_report.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsSchedule";
constexpr const char* kKind = "開催情報";

}  // namespace

void clsSchedule::Initialize() { initialized_ = true; }

bool clsSchedule::GetSchedule(int round, const std::string& group, int mode, bool ask) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetSchedule");
    return false;
  }
  try {
    cancel_ = no_game_ = unpublished_ = false;
    record_ = ScheduleRecord();
    if (round <= 0) return false;
    bool read = false;
    if ((mode & kSourceFile) && xml_.XmlLoad(round, group)) {
      record_ = xml_.Record();
      read = true;
      if (record_.holding_state == kHoldingNotHeld) no_game_ = true;
    }
    // A record read from the file is never replaced by a download: the file
    // was written from a complete download, or by the user's not-held mark.
    if (!read && (mode & kSourceDownload)) {
      if (ask && !AskDownload(kKind)) {
        cancel_ = true;
        return false;
      }
      bool ok = html_.GetSchedule(round, group);
      unpublished_ = html_.Unpublished();
      // A download the user cancelled is told no more than a declined one.
      if (!ok && html_.Cancelled()) cancel_ = true;
      if (ok && html_.Record().Kaisaikai != round) {
        // The site answers an unknown round with another round's page.
        unpublished_ = true;
      } else if (ok) {
        record_ = html_.Record();
        if (IsScheduleComplete(record_) &&
            !FileExists(clsXmlSchedule::GetFileName(record_.Kaisaikai, record_.Kumi))) {
          xml_.SetRecord(record_);
          xml_.XmlSave();
        }
      }
    }
    return IsScheduleComplete(record_);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetSchedule", e);
    return false;
  }
}

ScheduleRecord clsSchedule::Record() const {
  if (!initialized_) {
    ReportNotInitialized(kClass, "Record");
    return {};
  }
  return record_;
}

bool clsSchedule::Cancel() const {
  if (!initialized_) ReportNotInitialized(kClass, "Cancel");
  return initialized_ && cancel_;
}

bool clsSchedule::NoGame() const {
  if (!initialized_) ReportNotInitialized(kClass, "NoGame");
  return initialized_ && no_game_;
}

bool clsSchedule::Unpublished() const {
  if (!initialized_) ReportNotInitialized(kClass, "Unpublished");
  return initialized_ && unpublished_;
}

bool clsSchedule::CheckScheduleFile(int round, const std::string& group) const {
  return FileExists(clsXmlSchedule::GetFileName(round, group));
}

void clsSchedule::FalseDialog(int round) const {
  ShowFalseDialog(cancel_, unpublished_, round, kKind);
}

bool clsSchedule::XmlSave_NoGame(int round, const std::string& group) {
  try {
    if (CheckScheduleFile(round, group)) return false;
    if (platform().MessageBox("第 " + std::to_string(round) + " 回を未開催に設定しますか？", "",
                              MsgIcon::kQuestion, MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    return xml_.XmlSave_NoGame(round, group);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlSave_NoGame", e);
    return false;
  }
}

bool clsSchedule::XmlDelete_NoGame(int round, const std::string& group) {
  try {
    if (!CheckScheduleFile(round, group)) return false;
    if (platform().MessageBox("第 " + std::to_string(round) + " 回の未開催を解除しますか？", "",
                              MsgIcon::kQuestion, MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    return xml_.XmlDelete_NoGame(round, group);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlDelete_NoGame", e);
    return false;
  }
}

}  // namespace zelvo
