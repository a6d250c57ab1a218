// The saver window `Zorun_S`: hidden for the whole saver run; writes the texture, starts the renderer
// and the music, keeps the music going and ends the host when the renderer has gone.
#pragma once

#include "host/music/background_music.h"
#include "host/renderer_watch.h"
#include "host/startup.h"

#include <memory>

namespace zorun::host {

class Zorun_S final : public FormEvents, public OpenWindows {
public:
    static constexpr int kTimer1 = 1;  ///< MP3 replay poll, 1000 ms
    static constexpr int kTimer2 = 2;  ///< CD poll, 200 ms
    static constexpr int kTimer3 = 3;  ///< renderer watch, 500 ms
    static constexpr std::uint32_t kTimer1Interval = 1000;
    static constexpr std::uint32_t kTimer2Interval = 200;
    static constexpr std::uint32_t kTimer3Interval = 500;

    /// Creates the hidden window with `Display` holding the cloud picture and only `Timer3` running.
    explicit Zorun_S(HostContext& context);

    /// The run's start: texture, renderer, music.
    void Form_Load();
    /// Stops exactly the music Form_Load started and gives the cursor back for "S"; never cancels.
    void Form_QueryUnload();
    /// Ends the process.
    void Form_Unload();

    void OnTimer(int timerId) override;
    void OnClose() override;
    /// The renderer has ended: the watch looks at once instead of at its next tick.
    void OnProgramEnded() override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void watchRenderer(std::uint32_t msSinceLastLook);
    void setTimer(int timerId, bool on);
    bool timerOn(int timerId) const;
    // Unloads the window: query-unload, then unload.
    void unload();

    HostContext& context_;
    std::unique_ptr<HostWindow> window_;
    Picture Display;
    std::unique_ptr<music::MciPort> mci_;
    std::unique_ptr<music::Zorun_BGM> bgm_;
    bool timers_[3] = {false, false, true};
    bool unloaded_ = false;
    RendererWatch watch_;
};

}  // namespace zorun::host
