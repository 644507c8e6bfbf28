// One running velmora.exe through many applies: what it holds must not grow,
// and every pip.ini written along the way holds exactly its row's bytes.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "mirror/account.h"
#include "mirror/catalogue.h"
#include "mirror/texts.h"
#include "mirror/win32_system.h"
#include "win32/files.h"
#include "win32/velmora_process.h"

namespace {

constexpr int kCancelledApplies = 300;
constexpr int kUpgradedApplies = 20;

struct Holdings {
  DWORD handles = 0;        // as GetProcessHandleCount tells
  DWORD listedHandles = 0;  // as the system's handle list tells
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
  SIZE_T privateBytes = 0;
  SIZE_T workingSet = 0;
};

// Wine answers GetProcessHandleCount with 0 but does list every handle of
// every process (NtQuerySystemInformation, SystemHandleInformation).
DWORD ListedHandles(DWORD processId) {
  struct Entry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG grantedAccess;
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query =
      reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(
          GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  std::vector<char> buffer(1 << 20);
  ULONG needed = 0;
  constexpr ULONG kSystemHandleInformation = 16;
  while (query(kSystemHandleInformation, buffer.data(),
               static_cast<ULONG>(buffer.size()), &needed) != 0) {
    if (buffer.size() > (64u << 20)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  const auto* entries =
      reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
  DWORD own = 0;
  for (ULONG i = 0; i < count; ++i)
    if (entries[i].processId == processId) ++own;
  return own;
}

Holdings HoldingsOf(HANDLE process) {
  Holdings holdings;
  GetProcessHandleCount(process, &holdings.handles);
  holdings.listedHandles = ListedHandles(GetProcessId(process));
  holdings.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  holdings.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process,
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    // Windows gives both the same; Wine keeps only PagefileUsage.
    holdings.privateBytes = std::max(memory.PrivateUsage, memory.PagefileUsage);
    holdings.workingSet = memory.WorkingSetSize;
  }
  return holdings;
}

void Print(const char* when, const Holdings& h) {
  std::printf(
      "%s: handles %lu (listed %lu), GDI objects %lu, USER objects "
      "%lu, private bytes %lu, working set %lu\n",
      when, static_cast<unsigned long>(h.handles),
      static_cast<unsigned long>(h.listedHandles),
      static_cast<unsigned long>(h.gdiObjects),
      static_cast<unsigned long>(h.userObjects),
      static_cast<unsigned long>(h.privateBytes),
      static_cast<unsigned long>(h.workingSet));
}

TEST(Stability, ThreeHundredTwentyAppliesHoldNothingMore) {
  unsigned long error = 0;
  const std::string account = Win32MirrorSystem().AccountName(error);
  ASSERT_FALSE(account.empty());
  const std::string pipFolder = PipDirectoryPath(account);
  const std::string pipConfig = PipConfigPath(account);
  RemoveTree(pipFolder);
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  auto program = std::make_unique<VelmoraProcess>(
      std::string(temp) + "velmora-stability-" +
      std::to_string(GetCurrentProcessId()));
  ASSERT_TRUE(program->Start());
  // Set from the start, so the stub upgrade ends at once.
  HANDLE release = CreateEventA(nullptr, TRUE, TRUE, "VelmoraStubRelease");

  auto apply = [&](int row, bool upgrade) {
    SendMessageA(program->List(), CB_SETCURSEL, row, 0);
    PostMessageA(program->Button(), BM_CLICK, 0, 0);
    HWND question = program->WaitForBox(kUpdateCaption);
    if (question == nullptr) return std::string("no question");
    if (ReadBytes(pipConfig) != ComposePipConfig(row))
      return "wrong bytes for row " + std::to_string(row);
    PostMessageA(question, WM_COMMAND, upgrade ? IDOK : IDCANCEL, 0);
    if (!WaitUntil([&] { return IsWindowEnabled(program->Button()) != 0; }))
      return std::string("button stayed disabled");
    if (program->Box(kUpdateCaption) != nullptr)
      return std::string("an unexpected box");
    return std::string();
  };

  // One apply of each kind first, so that what is made once is counted
  // before, not as growth.
  ASSERT_EQ(apply(0, false), "");
  ASSERT_EQ(apply(1, true), "");
  const Holdings before = HoldingsOf(program->Process());
  Print("before", before);

  const DWORD start = GetTickCount();
  int upgrades = 0;
  for (int i = 0; i < kCancelledApplies + kUpgradedApplies; ++i) {
    const bool upgrade = i % 16 == 15;
    upgrades += upgrade;
    const std::string fault = apply(i % kMirrorCount, upgrade);
    ASSERT_EQ(fault, "") << "apply " << i;
  }
  EXPECT_EQ(upgrades, kUpgradedApplies);
  const std::string log = program->StubLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n') / 3, kUpgradedApplies + 1)
      << "one upgrade run per OK";
  const Holdings after = HoldingsOf(program->Process());
  Print("after", after);
  std::printf("%d applies in %lu ms\n", kCancelledApplies + kUpgradedApplies,
              static_cast<unsigned long>(GetTickCount() - start));

  // A counter Wine does not keep reads 0 before and after; it is reported
  // above and compares equal here.
  EXPECT_LE(after.handles, before.handles);
  EXPECT_LE(after.listedHandles, before.listedHandles);
  EXPECT_LE(after.gdiObjects, before.gdiObjects);
  EXPECT_LE(after.userObjects, before.userObjects);
  // Heap pages may settle but not climb with every apply.
  EXPECT_LT(after.privateBytes, before.privateBytes + 1024 * 1024);

  CloseHandle(release);
  program.reset();
  RemoveTree(pipFolder);
}

}  // namespace
