#include "platform/graphics/Icon.h"

#include "platform/SysUtils.h"

namespace lumvex {

struct TIcon::Impl {};
TIcon::TIcon() : impl_(std::make_unique<Impl>()) {}
TIcon::TIcon(const TIcon& other) : TGraphic(other), impl_(std::make_unique<Impl>()) {}
TIcon::~TIcon() = default;
int TIcon::Width() const { return 0; }
int TIcon::Height() const { return 0; }
void TIcon::Draw(TCanvas&, const TRect&) const {}
void TIcon::LoadFromBytes(std::string) { throw EInvalidGraphic("Icon reading is not built yet"); }
std::string TIcon::SaveToBytes() const { return {}; }
void TIcon::Assign(const TGraphic& source) { TGraphic::Assign(source); }
const TBitmap& TIcon::Colors() const { static TBitmap empty; return empty; }
bool TIcon::Opaque(int, int) const { return false; }

}  // namespace lumvex
