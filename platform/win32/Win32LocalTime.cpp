// Local calendar time of file times on Windows. The zone rules are those
// of the converted moment's own year (GetTimeZoneInformationForYear), so a
// summer date reads with summer time whatever the date of the reading.
//
// Windows keeps one time zone for the whole system; a test zone is held for
// this process only, as the zone's dynamic information, and never changes
// the system's setting. Zone names are the Windows keys ("W. Europe
// Standard Time") or one of the IANA names in kZoneNames.
#include "platform/win32/Win32Api.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "platform/FileSystem.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Convert.h"

namespace platform {
namespace {

struct ZoneName {
  const char* iana;
  const wchar_t* windows;
};

constexpr ZoneName kZoneNames[] = {
    {"Europe/Berlin", L"W. Europe Standard Time"},
    {"Europe/London", L"GMT Standard Time"},
    {"America/New_York", L"Eastern Standard Time"},
    {"Australia/Sydney", L"AUS Eastern Standard Time"},
    {"UTC", L"UTC"},
    {"Etc/UTC", L"UTC"},
};

struct TestZone {
  bool active = false;
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
};

TestZone& CurrentTestZone() {
  static TestZone zone;
  return zone;
}

std::wstring WindowsZoneKey(const char* zone) {
  for (const ZoneName& name : kZoneNames) {
    if (std::strcmp(name.iana, zone) == 0) return name.windows;
  }
  return win32::Widen(zone);  // already a Windows key
}

bool FindZone(const std::wstring& key, DYNAMIC_TIME_ZONE_INFORMATION& out) {
  for (DWORD i = 0;; ++i) {
    DYNAMIC_TIME_ZONE_INFORMATION candidate{};
    if (::EnumDynamicTimeZoneInformation(i, &candidate) != ERROR_SUCCESS) return false;
    if (key == candidate.TimeZoneKeyName) {
      out = candidate;
      return true;
    }
  }
}

// The rules of the zone in force (the test zone, else the system's) for a year.
bool RulesForYear(USHORT year, TIME_ZONE_INFORMATION& rules) {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (CurrentTestZone().active) {
    zone = CurrentTestZone().zone;
  } else if (::GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) {
    return false;
  }
  return ::GetTimeZoneInformationForYear(year, &zone, &rules) != FALSE;
}

}  // namespace

bool FileTimeToLocal(FileTime time, LocalTime& out) {
  if (time.value == 0) return false;
  const FILETIME utcTime = win32::ToFILETIME(time);
  SYSTEMTIME utc{}, local{};
  if (!::FileTimeToSystemTime(&utcTime, &utc)) return false;
  TIME_ZONE_INFORMATION rules{};
  const TIME_ZONE_INFORMATION* zone = RulesForYear(utc.wYear, rules) ? &rules : nullptr;
  if (!::SystemTimeToTzSpecificLocalTime(zone, &utc, &local)) return false;
  out.year = local.wYear;
  out.month = local.wMonth;
  out.day = local.wDay;
  out.hour = local.wHour;
  out.minute = local.wMinute;
  out.second = local.wSecond;
  return true;
}

// An unknown zone leaves the system's zone in force.
void SetTimeZoneForTesting(const char* zone) {
  TestZone& test = CurrentTestZone();
  test.active = zone && *zone && FindZone(WindowsZoneKey(zone), test.zone);
}

}  // namespace platform
