// orvane: the calculator simulator. Everything happens in CNovaroApp (novaro_app.h).
#include "ui/novaro_app.h"

int main(int argc, char** argv) {
    CNovaroApp app(argc, argv);
    return app.Run();
}
