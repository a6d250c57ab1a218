// The saver run: Form_Load, the three timer ticks, and the unload steps of `Zorun_S`.
#include "host/saver_window.h"

namespace zorun::host {

namespace {

std::uint32_t intervalOf(int timerId)
{
    switch (timerId) {
    case Zorun_S::kTimer1:
        return Zorun_S::kTimer1Interval;
    case Zorun_S::kTimer2:
        return Zorun_S::kTimer2Interval;
    default:
        return Zorun_S::kTimer3Interval;
    }
}

}  // namespace

Zorun_S::Zorun_S(HostContext& context) : context_(context)
{
    window_ = context_.forms.CreateSaverWindow(kSaverCaption, *this);
    Display = context_.platform.pictures.LoadStoredPicture(StoredPicture::Cloud);
    if (window_)
        window_->SetTimer(kTimer3, kTimer3Interval, true);
}

void Zorun_S::Form_Load()
{
    // The renderer reads the texture while it starts, so the file is complete before it is started.
    if (!context_.texturePath.empty() && Display.width > 0)
        context_.platform.files.SavePictureAsBitmap(Display, context_.texturePath);

    std::string renderer = context_.programFolder;
    if (renderer.empty() || renderer.back() != context_.pathStyle.separator)
        renderer += context_.pathStyle.separator;
    context_.platform.displayModes.KeepDisplayMode();
    context_.platform.processes.StartProgram(renderer + kRendererFile);

    const auto source = music::musicSourceFor(context_.settings.BGM_Kind, context_.settings.BGM_File);
    if (source == music::MusicSource::None)
        return;
    if (context_.musicClaim != nullptr && !context_.musicClaim->TryClaim())
        return;  // another run on another monitor plays it
    if (context_.openMci)
        mci_ = context_.openMci();
    if (!mci_)
        return;
    bgm_ = std::make_unique<music::Zorun_BGM>(*mci_, context_.settings.BGM_RepeatTrack, context_.settings.BGM_File);
    switch (source) {
    case music::MusicSource::Cd:
        bgm_->CD_Open();
        setTimer(kTimer2, true);
        break;
    case music::MusicSource::Wav:
        bgm_->WAV_Start();  // loops by itself
        break;
    case music::MusicSource::Mp3:
        bgm_->MP3_Start();
        setTimer(kTimer1, true);
        break;
    case music::MusicSource::None:
        break;
    }
}

void Zorun_S::OnTimer(int timerId)
{
    if (unloaded_ || !timerOn(timerId))
        return;
    switch (timerId) {
    case kTimer1:
        Timer1_Timer();
        break;
    case kTimer2:
        Timer2_Timer();
        break;
    case kTimer3:
        Timer3_Timer();
        break;
    default:
        break;
    }
}

void Zorun_S::Timer1_Timer()
{
    if (bgm_)
        bgm_->MP3_Poll();
}

void Zorun_S::Timer2_Timer()
{
    if (!bgm_)
        return;
    bgm_->CD_Poll();
    // One failed poll ends CD polling for the rest of the run.
    setTimer(kTimer2, bgm_->CD_PollOk != 0);
}

void Zorun_S::Timer3_Timer()
{
    watchRenderer(kTimer3Interval);
}

void Zorun_S::OnProgramEnded()
{
    if (!unloaded_ && timerOn(kTimer3))
        watchRenderer(0);
}

void Zorun_S::watchRenderer(std::uint32_t msSinceLastLook)
{
    const bool running = context_.platform.processes.ProgramRunning();
    const bool shown = running && context_.platform.desktop.FindWindowA(kRendererTitle) != 0;
    switch (watch_.look(running, shown, msSinceLastLook)) {
    case RendererWatch::Verdict::GoOn:
        return;
    case RendererWatch::Verdict::EndAfterRenderer:
        // A renderer killed or crashed in full screen could not give its mode back itself.
        context_.platform.displayModes.RestoreDisplayMode();
        break;
    case RendererWatch::Verdict::EndWithoutRenderer:
        break;
    }
    setTimer(kTimer3, false);
    unload();
}

void Zorun_S::OnClose()
{
    unload();
}

void Zorun_S::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_QueryUnload();
    Form_Unload();
}

void Zorun_S::Form_QueryUnload()
{
    if (timerOn(kTimer2)) {
        setTimer(kTimer2, false);
        if (bgm_)
            bgm_->CD_Close();
    }
    // Kind 2 stops by the same file-type test that started it; the settings do not change during a run.
    const auto source = music::musicSourceFor(context_.settings.BGM_Kind, context_.settings.BGM_File);
    if (bgm_ && source == music::MusicSource::Wav)
        bgm_->WAV_Stop();
    if (source == music::MusicSource::Mp3) {
        setTimer(kTimer1, false);
        if (bgm_)
            bgm_->MP3_Stop();
    }
    // A run starting as this one ends (xscreensaver cycling) can play at once.
    if (context_.musicClaim != nullptr)
        context_.musicClaim->Release();
    if (ModeLetter(context_.commandLine) == "S")
        context_.platform.desktop.ShowCursor(true);
}

void Zorun_S::Form_Unload()
{
    context_.platform.processes.EndProcess();
}

void Zorun_S::setTimer(int timerId, bool on)
{
    timers_[timerId - 1] = on;
    if (window_)
        window_->SetTimer(timerId, intervalOf(timerId), on);
}

bool Zorun_S::timerOn(int timerId) const
{
    return timerId >= kTimer1 && timerId <= kTimer3 && timers_[timerId - 1];
}

}  // namespace zorun::host
