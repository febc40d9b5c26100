#include "app/input/OptionKeyTable.h"

#include "app/settings/SettingNames.h"
#include "platform/KeyCodes.h"

namespace velmora::app {

const std::vector<OptionKeyUse>& optionKeyUses() {
    static const std::vector<OptionKeyUse> uses = {
        {platform::KEY_F1, "Help"},
        {platform::KEY_F2, settingName::frameTime},
        {platform::KEY_F3, settingName::wireframe},
        {platform::KEY_F5, settingName::filtering},
        {platform::KEY_F7, settingName::shadows},
        {platform::KEY_F8, settingName::culling},
        {platform::KEY_F9, settingName::transparency},
    };
    return uses;
}

}  // namespace velmora::app
