// Job operations and the monitor's support set, against the test printer.
#include <gtest/gtest.h>

#include "control/control_operations.h"
#include "control_printer.h"
#include "glue/glue_error.h"

namespace controltest {
namespace {

using gluetest::supportValue;

class ControlJobs : public ControlPrinterTest {};

TEST_F(ControlJobs, EachOperationSendsTheJobIdWithTheSessionsUserIds) {
    responder.jobs = {{41, {}}, {42, {}}};
    openSession();
    struct Case {
        std::int32_t (*operation)(GlueSession*, std::uint32_t);
        std::uint16_t code;
        Bytes parameter;
    };
    const Case cases[] = {
        {glue_qdxaCancelJob, qdxa::kOpCancelJob, be32({41})},
        {glue_qdxaDelete, qdxa::kOpDelete, be32({42})},
        {glue_qdxaPauseJob, qdxa::kOpPauseJob, be32({41})},
        {glue_qdxaResumeJob, qdxa::kOpResumeJob, be32({41})},
        {glue_qdxaPromoteJob, qdxa::kOpPromoteJob, be32({41, 0})},
    };
    for (const Case& c : cases) {
        const std::uint32_t job = bytes::loadBE32(c.parameter.data());
        EXPECT_EQ(c.operation(session, job), 0) << c.code;
        const Bytes request = onlyRequest(c.code);
        ASSERT_FALSE(request.empty());
        EXPECT_EQ(gluetest::parameterOf(request), c.parameter) << c.code;
        EXPECT_EQ(gluetest::firstIdOf(request), session->userId1);
        EXPECT_EQ(gluetest::secondIdOf(request), session->userId2);
    }
    EXPECT_TRUE(responder.jobs.empty());  // the cancel and the delete removed both jobs
}

TEST_F(ControlJobs, ARefusalComesBackAsTheProtocolStatus) {
    openSession();
    EXPECT_EQ(glue_qdxaCancelJob(session, 77), 8);  // no such job
    control.operationResults[qdxa::kOpPauseJob] = 12;
    EXPECT_EQ(glue_qdxaPauseJob(session, 77), 12);
    EXPECT_EQ(glue_qdxaCancelJob(nullptr, 1), kGlueParamErr);
    EXPECT_EQ(glue_qdxaPromoteJob(nullptr, 1), kGlueParamErr);
}

class Monitor : public ControlPrinterTest {
  protected:
    std::uint32_t support = 0xFFFFFFFF;
};

TEST_F(Monitor, JobOperationsAndFileBoxesSetTheirBits) {
    setAttribute(501, 212, supportValue({{35, 1}, {34, 1}, {32, 1}, {33, 1}}));
    setAttribute(101, kAttrObjectClasses, supportValue({{201, 1}, {1002, 1}}));
    paged.classObjects[1002] = {9001};
    openSession();
    ASSERT_EQ(glue_qdxaGetfunc_forMonitor(session, &support), 0);
    EXPECT_EQ(support, kMonitorInterrupt | kMonitorPromote | kMonitorPauseResume | kMonitorFileBox);
}

TEST_F(Monitor, PauseWithoutResumeAndNoBoxesGiveFewerBits) {
    setAttribute(501, 212, supportValue({{32, 1}, {34, 1}}));
    setAttribute(101, kAttrObjectClasses, supportValue({{1002, 1}}));
    openSession();
    ASSERT_EQ(glue_qdxaGetfunc_forMonitor(session, &support), 0);
    EXPECT_EQ(support, kMonitorPromote);
}

TEST_F(Monitor, AFileBoxClassWithFlagZeroIsNeverListed) {
    setAttribute(101, kAttrObjectClasses, supportValue({{1002, 0}}));
    paged.classObjects[1002] = {9001};
    openSession();
    ASSERT_EQ(glue_qdxaGetfunc_forMonitor(session, &support), 0);
    EXPECT_EQ(support, 0u);
    EXPECT_TRUE(requestsOf(qdxa::kOpListObjects2).empty());
}

TEST_F(Monitor, ARefusedClassListCountsAsNoFileBoxes) {
    setAttribute(101, kAttrObjectClasses, supportValue({{1002, 1}}));
    information.refusedAttributes = {kAttrObjectClasses};
    paged.classObjects[1002] = {9001};
    openSession();
    ASSERT_EQ(glue_qdxaGetfunc_forMonitor(session, &support), 0);
    EXPECT_EQ(support & kMonitorFileBox, 0u);
    EXPECT_EQ(glue_qdxaGetfunc_forMonitor(session, nullptr), kGlueParamErr);
}

}  // namespace
}  // namespace controltest
