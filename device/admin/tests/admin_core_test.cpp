// Get, set and control requests through the administration core, as the library interface
// sends them, against the test printer.
#include <gtest/gtest.h>

#include "admin_printer.h"
#include "core/core_admin.h"
#include "core/core_error.h"

namespace admintest {
namespace {

struct ContextDeleter {
    void operator()(CoreContext* context) const {
        CoreAdminEnd(context);
        CoreAdminTerminate(context);
        CoreDeleteContext(context);
    }
};

class AdminCore : public AdminPrinter {};

TEST_F(AdminCore, EachRequestKindReachesItsHandlerOnTheCoresSession) {
    responder.jobs = {{41, {}}};
    const std::string uri = "lpd://" + printer->address() + "/queue";
    std::unique_ptr<CoreContext, ContextDeleter> context(CoreCreateContext(uri.c_str()));
    ASSERT_NE(context, nullptr);
    ASSERT_EQ(CoreAdminInitialize(context.get()), kCoreNoErr);
    ASSERT_EQ(CoreAdminStart(context.get()), kCoreNoErr);

    ask("PrinterOnline", kTktLibTypeBoolean);
    ask("ProtocolName", kTktLibTypeCString);
    ASSERT_EQ(CoreAdminOperate(context.get(), kCoreAdminGet, request, result), kCoreNoErr);
    EXPECT_EQ(booleanAnswer("PrinterOnline"), "true");
    EXPECT_EQ(textAnswer("ProtocolName"), "QDXAv2.0");

    TktLibDisposeTicket(request);
    ASSERT_EQ(TktLibCreateTicket(&request), kTktLibNoErr);
    putText("DeviceName", "Studio");
    ASSERT_EQ(CoreAdminOperate(context.get(), kCoreAdminSet, request, result), kCoreNoErr);
    ASSERT_FALSE(responder.objects[101].empty());
    EXPECT_EQ(responder.objects[101].back().id, 1035);

    TktLibDisposeTicket(request);
    ASSERT_EQ(TktLibCreateTicket(&request), kTktLibNoErr);
    put("CancelJob", 41);
    ASSERT_EQ(CoreAdminOperate(context.get(), kCoreAdminControl, request, result), kCoreNoErr);
    EXPECT_EQ(controlResults(), std::vector<std::int32_t>{0});
    EXPECT_TRUE(responder.jobs.empty());
}

}  // namespace
}  // namespace admintest
