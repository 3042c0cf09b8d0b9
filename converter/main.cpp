// ZORVEX_DataConverter PRINTER PRODUCT-FOLDER check|convert
#include "data_converter.h"

int main(int argc, char* argv[]) {
    return DataConverterMain(argc, argv);
}
