#pragma once
// The memory page TSMemoryMedic: the memory figures, the processor usage in the status bar once
// a second while the page is visible, and the optimizer, by hand or above a memory load.
#include <cstdint>
#include <functional>

#include "memory/memory_work.h"
#include "memory/unitcpu.h"
#include "services/page_context.h"
#include "ui/page.h"
#include "ui/paced_loop.h"
#include "ui/pie_gauge.h"
#include "ui/timer.h"
#include "ui/track_bar.h"

namespace memory {

inline constexpr char kStartOptimize[] = "Start optimize memory....";
inline constexpr char kOptimizeFinishedPanel[] = "Optimize memory finished!";
inline constexpr char kOptimizationFinished[] = "Memory optimization finished!";
inline constexpr int kAutoOptimizeKey = 122;
inline constexpr unsigned kTimerInterval = 1000;

class MemoryPage : public ui::Page {
  public:
    explicit MemoryPage(const services::PageContext& context);
    ~MemoryPage() override;
    void Create(HWND host) override;
    void OnShow() override { TSMemoryMedicShow(); }
    void OnHide() override { TSMemoryMedicHide(); }

    void TSMemoryMedicShow();
    void TSMemoryMedicHide();
    void Timer1Timer();
    void TrackBar1Change();
    void BtnMemoryMedicOptimizeClick();
    // The optimizer of this page; the callback may be empty.
    void FreeUpMemory(uint32_t blockCount, const std::function<void()>& callback);
    void OptimizeProgress();

    uint32_t BlockCount() const { return blockCount_; }
    bool Running() const { return optimizer_.running; }
    Unitcpu& Meter() { return meter_; }

    ui::Picture Image7{"Image7"};
    ui::Label Label9{"Label9"};
    ui::GroupBox GroupBox4{"GroupBox4"};
    ui::Label Label10{"Label10"}, Label11{"Label11"}, Label12{"Label12"}, Label13{"Label13"},
        Label14{"Label14"}, Label15{"Label15"}, Label17{"Label17"};
    ui::Label LTotalRAM{"LTotalRAM"}, LFreeRAM{"LFreeRAM"}, LTotalPage{"LTotalPage"},
        LPageFree{"LPageFree"}, LTotalVirtual{"LTotalVirtual"}, LFreeVirtual{"LFreeVirtual"},
        LMemoryLoad{"LMemoryLoad"};
    ui::PieGaugeControl Pie{"Pie"};
    ui::Label Label18{"Label18"};
    ui::TrackBar TrackBar1{"TrackBar1"};
    ui::Label Label16{"Label16"};
    ui::CheckBox CheckBox1{"CheckBox1"};
    ui::Button BtnMemoryMedicOptimize{"BtnMemoryMedicOptimize"};
    ui::Timer Timer1{"Timer1"};

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    const services::PageContext& context_;
    Unitcpu meter_;
    uint32_t blockCount_ = 0;
    bool shown_ = false;
    OptimizerState optimizer_;
    ui::PacedLoop* loop_ = nullptr;  // the loop of the optimization under way
};

}  // namespace memory
