#include "app/app_main.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    int code = appMain(argc, argv);
    platform::finish(code);
    return code;
}
