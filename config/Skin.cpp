#include "config/Skin.h"

#include "app/Mainform.h"
#include "app/Program.h"
#include "config/Config.h"
#include "platform/Profile.h"
#include "ui/Layout.h"

void ReadSkinDefinition() {
    gFontScale = ComputeFontScale(gIniScreenWidth);
    const auto skin =
        platform::Profile::load(gProgramDirectory + "/Skins/" + gIniSkinName + "/Config.ini");
    // The skin's counts replace those of Config.ini.
    gNumberOfTitlebarsMainmenu = ClampAtLeastOne(
        "gNumberOfTitlebarsMainmenu", skin.readInteger("General", "gNumberOfTitlebarsMainmenu", 8));
    gNumberOfMenubars =
        ClampAtLeastOne("gNumberOfMenubars", skin.readInteger("General", "gNumberOfMenubars", 10));
}

void LoadSkin(bool /*withPictures*/) {
    ReadSkinDefinition();
    if (MainformExists() && Mainform().window())
        Mainform().window()->setSize(gIniScreenWidth, gIniScreenHeight);
    ComputeScreenLayout();
}

void FreeSkin() {}
