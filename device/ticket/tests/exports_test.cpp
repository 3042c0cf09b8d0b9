// libDovoCommonLib.so exports every ticket and array function by its C name.
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

TEST(DovoCommonLibExports, TicketAndArrayFunctions) {
    void* library = ::dlopen(DOVO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    const char* names[] = {
        "IOS_TicketCreate",           "IOS_TicketDispose",
        "IOS_TicketSetAttribute",     "IOS_TicketSet2ClassAttribute",
        "IOS_TicketSetCString",       "IOS_TicketSetSInt32",
        "IOS_TicketSetBoolean",       "IOS_TicketSetData",
        "IOS_TicketSetSInt32Array",   "IOS_TicketGetCString",
        "IOS_TicketGetSInt32",        "IOS_TicketGetBoolean",
        "IOS_TicketGetData",          "IOS_TicketGetArray",
        "IOS_TicketGet2ClassCString", "IOS_TicketGet2ClassSInt32",
        "IOS_TicketGet2ClassBoolean", "IOS_TicketGet2ClassData",
        "IOS_TicketGet2ClassArray",   "IOS_ArrayGetCount",
        "IOS_ArrayGetCString",        "IOS_ArrayGetSInt32",
        "IOS_ArrayGetBoolean",        "IOS_ArrayGetData",
        "IOS_ArrayDispose",
    };
    for (const char* name : names) {
        EXPECT_NE(::dlsym(library, name), nullptr) << name;
    }
    // Internal functions stay hidden.
    EXPECT_EQ(::dlsym(library, "ConvertTktLibError"), nullptr);
    ::dlclose(library);
}

}  // namespace
