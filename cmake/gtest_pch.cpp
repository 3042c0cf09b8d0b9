// The one source of strato_gtest_pch, the program that holds the precompiled GoogleTest headers.
