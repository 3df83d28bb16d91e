#include "VrelMain.h"

#include "app/CAPT_VRELMainWnd.h"
#include "app/CKelmoApplication.h"

int VrelMain(int &argc, char **argv, const QString &key,
             const std::function<void(CAPT_VRELMainWnd &)> &onShown)
{
    CKelmoApplication app(argc, argv, key);
    if (app.IsRunning())
        return 0;
    if (app.IsResolutionTooLow())
        return 0;

    CAPT_VRELMainWnd window(nullptr, {});
    window.show();
    if (onShown)
        onShown(window);
    return app.exec();
}
