#include "driver_lifecycle.h"

#include <gtest/gtest.h>

#include <functional>

#include "portio/fake_service_manager.h"

namespace kirvo {
namespace {

using testing::FakeServiceManager;
using Calls = std::vector<std::string>;
using Handles = std::multiset<std::string>;

const char* const kDriver = "C:\\tallix\\kirvo.sys";

// A machine where the driver runs as it should; KIRVO_Start gets through with its first attempt.
void driverRunning(FakeServiceManager& scm) {
  scm.registerService(kDriver, true);
}

TEST(KirvoStart, EachStartingPointGivesItsResultCallsAndReason) {
  const struct Row {
    const char* name;
    std::function<void(FakeServiceManager&)> setUp;
    std::int32_t result;
    Calls calls;
    std::string reason;
    bool registered, running;  // the service afterwards
    Handles open;              // handles left open for KIRVO_Stop
  } rows[] = {
      {"direct port access",
       [](FakeServiceManager& scm) { scm.platformId = 1; },
       0,
       {"GetVersionExA"},
       "",
       false,
       false,
       {}},
      {"a failed version query counts as the NT family",
       [](FakeServiceManager& scm) {
         scm.platformId = std::nullopt;
         driverRunning(scm);
       },
       14,
       {"GetVersionExA -> 87", "CreateFileA", "CloseHandle device"},
       "",
       true,
       true,
       {}},
      {"driver already running",
       driverRunning,
       14,
       {"GetVersionExA", "CreateFileA", "CloseHandle device"},
       "",
       true,
       true,
       {}},
      {"registered but stopped",
       [](FakeServiceManager& scm) { scm.registerService(kDriver, false); },
       14,
       {"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA", "OpenServiceA", "StartServiceA",
        "CloseServiceHandle service", "CreateFileA", "CloseHandle device"},
       "",
       true,
       true,
       {"manager"}},
      {"no service",
       [](FakeServiceManager&) {},
       14,
       {"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA", "OpenServiceA -> 1060",
        "GetFullPathNameA", "CreateServiceA C:\\tallix\\kirvo.sys", "CloseServiceHandle service",
        "OpenServiceA", "StartServiceA", "CloseServiceHandle service", "CreateFileA",
        "CloseHandle device"},
       "",
       true,
       true,
       {"manager"}},
      {"no access to the service control manager",
       [](FakeServiceManager& scm) { scm.managerAccess = false; },
       1,
       {"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA -> 5", "OpenSCManagerA -> 5",
        "GetVersionExA"},
       "no access to the service control manager (error 5): run as administrator",
       false,
       false,
       {}},
      {"driver file missing, the new registration is removed",
       [](FakeServiceManager& scm) { scm.files.clear(); },
       1,
       {"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA", "OpenServiceA -> 1060",
        "GetFullPathNameA", "CreateServiceA C:\\tallix\\kirvo.sys", "CloseServiceHandle service",
        "OpenServiceA", "StartServiceA -> 2", "CloseServiceHandle service", "GetVersionExA",
        "OpenServiceA", "DeleteService", "CloseServiceHandle service",
        "CloseServiceHandle manager"},
       "cannot start the driver service kirvo (error 2)",
       false,
       false,
       {}},
      {"stale registration is removed",
       [](FakeServiceManager& scm) { scm.registerService("D:\\old\\kirvo.sys", false); },
       1,
       {"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA", "OpenServiceA", "StartServiceA -> 2",
        "CloseServiceHandle service", "GetFullPathNameA",
        "CreateServiceA C:\\tallix\\kirvo.sys -> 1073", "OpenServiceA", "ControlService -> 1062",
        "CloseServiceHandle service", "OpenServiceA", "DeleteService", "CloseServiceHandle service",
        "GetVersionExA", "CloseServiceHandle manager"},
       "removed a kirvo service that could not be used; start again (error 1073)",
       false,
       false,
       {}},
      {"device not openable although the driver runs",
       [](FakeServiceManager& scm) {
         driverRunning(scm);
         scm.deviceWorks = false;
       },
       1,
       {"GetVersionExA", "CreateFileA -> 31", "OpenSCManagerA", "OpenServiceA",
        "StartServiceA -> 1056", "CloseServiceHandle service", "GetFullPathNameA",
        "CreateServiceA C:\\tallix\\kirvo.sys -> 1073", "OpenServiceA", "ControlService",
        "CloseServiceHandle service", "OpenServiceA", "DeleteService", "CloseServiceHandle service",
        "GetVersionExA", "CloseServiceHandle manager"},
       "removed a kirvo service that could not be used; start again (error 1073)",
       false,
       false,
       {}},
      {"driver path longer than 259 bytes is not registered",
       [](FakeServiceManager& scm) { scm.currentDir = "C:\\" + std::string(250, 'x') + "\\"; },
       1,
       {"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA", "OpenServiceA -> 1060",
        "GetFullPathNameA", "GetVersionExA", "CloseServiceHandle manager"},
       "cannot register the driver service kirvo (error 206)",
       false,
       false,
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeServiceManager scm;
    row.setUp(scm);
    DriverLifecycle lifecycle(scm);
    EXPECT_EQ(lifecycle.KIRVO_Start(), row.result);
    EXPECT_EQ(scm.calls, row.calls);
    EXPECT_EQ(lifecycle.reason(), row.reason);
    EXPECT_EQ(scm.registered, row.registered);
    EXPECT_EQ(scm.running, row.running);
    EXPECT_EQ(scm.openHandles(), row.open);
  }
}

TEST(KirvoStart, AfterAStaleRegistrationWasRemovedTheNextStartRegistersAfresh) {
  FakeServiceManager scm;
  scm.registerService("D:\\old\\kirvo.sys", false);
  EXPECT_EQ(DriverLifecycle(scm).KIRVO_Start(), 1);

  scm.calls.clear();
  DriverLifecycle next(scm);  // the next run of the program
  EXPECT_EQ(next.KIRVO_Start(), 14);
  EXPECT_EQ(scm.servicePath, kDriver);
  EXPECT_TRUE(scm.running);
  EXPECT_EQ(scm.calls,
            (Calls{"GetVersionExA", "CreateFileA -> 2", "OpenSCManagerA", "OpenServiceA -> 1060",
                   "GetFullPathNameA", "CreateServiceA C:\\tallix\\kirvo.sys",
                   "CloseServiceHandle service", "OpenServiceA", "StartServiceA",
                   "CloseServiceHandle service", "CreateFileA", "CloseHandle device"}));
  EXPECT_EQ(next.reason(), "");
}

TEST(KirvoStop, AfterASuccessfulStartStopsAndRemovesTheServiceWhereverItCameFrom) {
  const Calls stopAndRemove = {"OpenServiceA",
                               "ControlService",
                               "CloseServiceHandle service",
                               "OpenServiceA",
                               "DeleteService",
                               "CloseServiceHandle service",
                               "CloseServiceHandle manager"};
  const struct Row {
    const char* name;
    std::function<void(FakeServiceManager&)> setUp;
    bool opensManager;  // the start did not need the manager, so the stop opens it
  } rows[] = {
      {"driver already running", driverRunning, true},
      {"registered but stopped",
       [](FakeServiceManager& scm) { scm.registerService(kDriver, false); }, false},
      {"no service", [](FakeServiceManager&) {}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeServiceManager scm;
    row.setUp(scm);
    DriverLifecycle lifecycle(scm);
    ASSERT_EQ(lifecycle.KIRVO_Start(), 14);
    scm.calls.clear();

    EXPECT_EQ(lifecycle.KIRVO_Stop(), 0);
    Calls expected = {"GetVersionExA"};
    if (row.opensManager) expected.push_back("OpenSCManagerA");
    expected.insert(expected.end(), stopAndRemove.begin(), stopAndRemove.end());
    EXPECT_EQ(scm.calls, expected);
    EXPECT_FALSE(scm.registered);
    EXPECT_FALSE(scm.running);
    EXPECT_EQ(scm.openHandles(), Handles{});
  }
}

TEST(KirvoStop, ASecondStopOnlyClosesTheClosedManager) {
  FakeServiceManager scm;
  DriverLifecycle lifecycle(scm);
  EXPECT_EQ(lifecycle.KIRVO_Stop(), 0);  // before any start
  EXPECT_EQ(scm.calls, Calls{"GetVersionExA"});

  driverRunning(scm);
  ASSERT_EQ(lifecycle.KIRVO_Start(), 14);
  ASSERT_EQ(lifecycle.KIRVO_Stop(), 0);
  scm.calls.clear();
  EXPECT_EQ(lifecycle.KIRVO_Stop(), 0);
  EXPECT_EQ(scm.calls, Calls{"GetVersionExA"});
}

TEST(KirvoStop, WithDirectPortAccessTouchesNoService) {
  FakeServiceManager scm;
  scm.platformId = 1;
  driverRunning(scm);
  DriverLifecycle lifecycle(scm);
  EXPECT_EQ(lifecycle.KIRVO_Start(), 0);
  EXPECT_EQ(lifecycle.KIRVO_Stop(), 0);
  EXPECT_EQ(scm.calls, (Calls{"GetVersionExA", "GetVersionExA"}));
  EXPECT_TRUE(scm.running);
}

// A stop that ends at a failed step leaves the flags so that the next stop, once the fault is
// gone, does exactly what is left.
TEST(KirvoStop, EndsEarlyAtAFailedStepAndTheNextStopFinishes) {
  const struct Row {
    const char* name;
    std::function<void(FakeServiceManager&)> setUp, breakIt, repair;
    std::int32_t result;
    Calls calls;
    Calls callsAfterRepair;
  } rows[] = {
      {"the service was stopped by someone else: 0",
       [](FakeServiceManager& scm) { scm.registerService(kDriver, false); },
       [](FakeServiceManager& scm) { scm.running = false; },
       [](FakeServiceManager&) {},
       0,
       {"GetVersionExA", "OpenServiceA", "ControlService -> 1062", "CloseServiceHandle service"},
       {"GetVersionExA", "OpenServiceA", "DeleteService", "CloseServiceHandle service",
        "CloseServiceHandle manager"}},
      {"the manager cannot be opened: 4",
       driverRunning,
       [](FakeServiceManager& scm) { scm.managerAccess = false; },
       [](FakeServiceManager& scm) { scm.managerAccess = true; },
       4,
       {"GetVersionExA", "OpenSCManagerA -> 5"},
       {"GetVersionExA", "OpenSCManagerA", "OpenServiceA", "ControlService",
        "CloseServiceHandle service", "OpenServiceA", "DeleteService", "CloseServiceHandle service",
        "CloseServiceHandle manager"}},
      {"the service cannot be deleted: 8",
       driverRunning,
       [](FakeServiceManager& scm) { scm.deleteError = 1072; },
       [](FakeServiceManager& scm) { scm.deleteError = 0; },
       8,
       {"GetVersionExA", "OpenSCManagerA", "OpenServiceA", "ControlService",
        "CloseServiceHandle service", "OpenServiceA", "DeleteService -> 1072",
        "CloseServiceHandle service"},
       {"GetVersionExA", "OpenServiceA", "DeleteService", "CloseServiceHandle service",
        "CloseServiceHandle manager"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeServiceManager scm;
    row.setUp(scm);
    DriverLifecycle lifecycle(scm);
    ASSERT_EQ(lifecycle.KIRVO_Start(), 14);
    row.breakIt(scm);
    scm.calls.clear();
    EXPECT_EQ(lifecycle.KIRVO_Stop(), row.result);
    EXPECT_EQ(scm.calls, row.calls);
    EXPECT_TRUE(scm.registered);

    row.repair(scm);
    scm.calls.clear();
    EXPECT_EQ(lifecycle.KIRVO_Stop(), 0);
    EXPECT_EQ(scm.calls, row.callsAfterRepair);
    EXPECT_FALSE(scm.registered);
    EXPECT_FALSE(scm.running);
    EXPECT_EQ(scm.openHandles(), Handles{});
  }
}

TEST(KirvoStart, ASecondStartBeginsWithClearFlagsAndNoReason) {
  FakeServiceManager scm;
  scm.managerAccess = false;
  DriverLifecycle lifecycle(scm);
  ASSERT_EQ(lifecycle.KIRVO_Start(), 1);
  ASSERT_NE(lifecycle.reason(), "");

  scm.managerAccess = true;
  EXPECT_EQ(lifecycle.KIRVO_Start(), 14);
  EXPECT_EQ(lifecycle.reason(), "");
}

}  // namespace
}  // namespace kirvo
