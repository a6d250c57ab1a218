// The preview window `Zorun_R`: its picture control and its unload handler.
#include "host/preview_window.h"

#include "common/win32_numbers.h"

namespace zorun::host {

Zorun_R::Zorun_R(HostContext& context) : context_(context)
{
    window_ = context_.forms.CreatePreviewWindow(kPreviewCaption, *this);
    pictureOfImgPrev_ = context_.platform.pictures.LoadStoredPicture(StoredPicture::Preview);
}

WindowHandle Zorun_R::Handle() const
{
    return window_ ? window_->Handle() : 0;
}

void Zorun_R::PlaceImage(std::int32_t width, std::int32_t height)
{
    if (window_)
        window_->SetPicture(pictureOfImgPrev_, 0, 0, width, height);
}

void Zorun_R::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    if (window_)
        window_->Move(left, top, width, height);
}

void Zorun_R::Show()
{
    if (window_)
        window_->Show();
}

void Zorun_R::Form_Unload()
{
    context_.platform.desktop.PostMessageA(Handle(), msg::close, 0, 0);
}

}  // namespace zorun::host
