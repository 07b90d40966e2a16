#include "nightglass/EffectFactory.h"

#include "nightglass/effects/Desp.h"
#include "nightglass/effects/Devil.h"
#include "nightglass/effects/DofTubes.h"
#include "nightglass/effects/Dome.h"
#include "nightglass/effects/ExplosionScene.h"
#include "nightglass/effects/Icefractal.h"
#include "nightglass/effects/Logopart.h"
#include "nightglass/effects/Lolscene.h"
#include "nightglass/effects/Mars.h"
#include "nightglass/effects/Metaplanet.h"
#include "nightglass/effects/Tornardo.h"

#include "tavrin/Visual.h"

#include <array>

namespace Nightglass {

namespace {

using Maker = std::unique_ptr<Tavrin::Visual> (*)(Tavrin::Demo*);

template <typename Effect>
std::unique_ptr<Tavrin::Visual> make(Tavrin::Demo* demo)
{
    return std::make_unique<Effect>(demo);
}

// In the order of Nightglass::EffectNames.
constexpr std::array<Maker, 11> Makers = {
    make<Dome>,  // dome
    make<Lolscene>,  // lolscene
    make<DofTubes>,  // doftubes
    make<ExplosionScene>,  // explosion
    make<Icefractal>,  // icefractal
    make<Metaplanet>,  // metaplanet
    make<Mars>,  // mars
    make<Logopart>,  // logopart
    make<Devil>,  // devil
    make<Desp>,  // desp
    make<Tornardo>,  // tornardo
};

}

std::unique_ptr<Tavrin::Visual> makeEffect(std::size_t slot, Tavrin::Demo* demo)
{
    Maker maker = slot < Makers.size() ? Makers[slot] : nullptr;
    return maker ? maker(demo) : nullptr;
}

}
