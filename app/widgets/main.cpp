#include "app/widgets/CLoggerApp.h"

int main(int argc, char** argv) {
    CLoggerApp app(argc, argv);
    if (!app.InitInstance()) return 1;
    return app.exec();
}
