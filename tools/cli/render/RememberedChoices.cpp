#include "cli/render/RememberedChoices.h"

#include "app/widgets/Profile.h"

ChannelLimits rememberedLimits(std::string_view serialNo) {
    return Profile().limits(serialNo);
}

double rememberedActivationEnergy() {
    return Profile().activationEnergy();
}
