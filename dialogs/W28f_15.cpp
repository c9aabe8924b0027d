#include "dialogs/W28f_15.h"

#include "framework/module.h"
#include "host/korvel/wyd28.h"
#include "host/korvel/zezprzel.h"
#include "host/korvel/zezwyd.h"
#include "host/tamdor/host_state.h"
#include "platform/vcl/trace.h"

#include <algorithm>
#include <cstring>

using namespace kestrun;

Tf_wydpit28::Tf_wydpit28(vcl::TComponent* owner, host::host_state& host,
                         std::filesystem::path settings_folder)
    : print_dialog(owner, host, std::move(settings_folder), "Tf_wydpit28", "PIT-28")
{
    SetBounds(0, 0, 675, 480);
    g_str->SetBounds(10, 6, 645, 165);
    chbox_st_1 = page_box("chbox_st_1", "PIT-28 1/4", 1, 1);
    chbox_st_2 = page_box("chbox_st_2", "PIT-28 2/4", 1, 2);
    chbox_st_3 = page_box("chbox_st_3", "PIT-28 3/4", 1, 3);
    chbox_st_4 = page_box("chbox_st_4", "PIT-28 4/4", 1, 4);
    chbox_a = page_box("chbox_a", "PIT-28/A  1/1", 2, 1);
    chbox_b_1 = page_box("chbox_b_1", "PIT-28/B  1/2", 2, 2);
    chbox_b_2 = page_box("chbox_b_2", "PIT-28/B  2/2", 2, 3);
    chbox_d_1 = page_box("chbox_d_1", "PIT/D  1/2", 3, 1);
    chbox_d_2 = page_box("chbox_d_2", "PIT/D  2/2", 3, 2);
    // A one-pixel black rule between PIT/D and PIT/O.
    Panel1 = new vcl::TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(g_str);
    Panel1->SetBounds(313, 70, 91, 1);
    Panel1->Color = "clBlack";
    Panel1->BevelOuter = false;
    chbox_o_1 = page_box("chbox_o_1", "PIT/O  1/3", 3, 3);
    chbox_o_2 = page_box("chbox_o_2", "PIT/O  2/3", 3, 4);
    chbox_2k = page_box("chbox_2k", "PIT-2K  1/1", 4, 1);
    kl_zmust->SetBounds(510, 130, 121, 25);
    ChB_niezadr->SetBounds(12, 190, 368, 18);
    kl_druk->SetBounds(480, 336, 134, 39);
    kl_anuluj->SetBounds(480, 388, 134, 39);
    ust_dr->FitToDialog(8, 395);
}

void Tf_wydpit28::FormActivate(vcl::TObject*)
{
    const auto r = host().rek28();
    wydr_niezadr28_pocz = host().rekster().flag("wydr_niezadr28");
    activate({{"PIT/O", "rek28.zal_o", r.integer("zal_o"), {chbox_o_1, chbox_o_2}},
              {"PIT/D", "rek28.zal_d", r.integer("zal_d"), {chbox_d_2, chbox_d_1}},
              {"PIT-2K", "rek28.zal_2k", r.integer("zal_2k"), {chbox_2k}},
              {"PIT-28/A", "rek28.zal_a", r.integer("zal_a"), {chbox_a}},
              {"PIT-28/B", "rek28.il_zal_b", r.integer("il_zal_b"), {chbox_b_1, chbox_b_2}}},
             wydr_niezadr28_pocz);
}

void Tf_wydpit28::FormDeactivate(vcl::TObject*)
{
    save_mode(wydr_niezadr28_pocz, "wydr_niezadr28",
              [this](bool v) { host().rekster_mut().set_flag("wydr_niezadr28", v); });
}

void Tf_wydpit28::kl_drukClick(vcl::TObject*)
{
    // The prompt caption, a zero-terminated copy as the message box takes it.
    auto caption = std::make_unique<char[]>(50);
    std::strncpy(caption.get(), BaseCaption().c_str(), 49);

    auto marg = new_margin_table();
    auto odlcz_zez = new_offset_table();
    auto marg28 = new_margin_table();
    auto odlcz_zez28 = new_offset_table();

    const auto s = host().rekster();
    const bool port = s.flag("dr_port");
    const auto opt1 = static_cast<std::uint8_t>(s.integer("dr_opt1"));
    const auto opt2 = static_cast<std::uint8_t>(s.integer("dr_opt2"));
    const auto opt3 = static_cast<std::int16_t>(s.integer("dr_opt3"));
    auto drukzez = std::make_unique<Zezwyd::Tdrukzez>(host(), marg.get(), port, opt1, opt2, opt3);
    auto wydp28 = std::make_unique<Wyd28::Twyd28>(host(), marg28.get(), port, opt1, opt2, opt3);

    // The run's clean-up, in the host's order, whether the run ends or fails.
    struct clean_up {
        std::function<void()> run;
        ~clean_up() { run(); }
    } finally{[&] {
        marg.reset();
        odlcz_zez.reset();
        drukzez.reset();
        marg28.reset();
        odlcz_zez28.reset();
        wydp28.reset();
        caption.reset();
    }};

    load_margins("ofdr", 26, marg.get());
    load_offsets("odszezr", 91, odlcz_zez.get());
    load_margins("ofdr3", 7, marg28.get());
    load_offsets("odscz28", 27, odlcz_zez28.get());

    auto* w = wydp28.get();
    auto* d = drukzez.get();
    auto& h = host();
    std::vector<page_step> steps;
    auto page = [&](vcl::TCheckBox* box, std::string name, std::string blank,
                    std::string preprinted, std::string_view cls, Proc_dr::tdruk* object,
                    std::function<void()> direct) {
        page_step step;
        step.box = box;
        step.page = std::move(name);
        step.blank_prompt = std::move(blank);
        step.preprinted_prompt = std::move(preprinted);
        step.page_class = cls;
        step.object = object;
        step.direct = std::move(direct);
        steps.push_back(std::move(step));
        return &steps.back();
    };
    page(chbox_st_1, "PIT-28 1/4", "Wydruk strony 1/4", "Włóż druk PIT-28 1/4", "TF_w2815_1", w,
         [w] { w->w28_st1(); });
    page(chbox_st_2, "PIT-28 2/4", "Wydruk strony 2/4", "Włóż druk PIT-28 2/4", "TF_w2815_2", w,
         [w] { w->w28_st2(); });
    page(chbox_st_3, "PIT-28 3/4", "Wydruk strony 3/4", "Włóż druk PIT-28 3/4", "TF_w2815_3", w,
         [w] { w->w28_st3(); });
    page(chbox_st_4, "PIT-28 4/4", "Wydruk strony 4/4", "Włóż druk PIT-28 4/4", "TF_w2815_4", w,
         [w] { w->w28_st4(); });
    page(chbox_a, "PIT-28/A", "Wydruk PIT-28/A", "Włóż druk PIT-28/A 1/1", "TF_w28a15_1", w,
         [w] { w->w28_zal_a(); });

    // The record holds the partnerships of two PIT-28/B attachments; a larger count cannot be
    // printed beyond them.
    const int il_zal_b = h.rek28().integer("il_zal_b");
    const int zal_b = std::min(il_zal_b, max_zal_b);
    if (il_zal_b > max_zal_b && (chbox_b_1->Checked || chbox_b_2->Checked))
        warn("rek28.il_zal_b is " + std::to_string(il_zal_b) +
             ", but the return record holds the partnerships of " + std::to_string(max_zal_b) +
             " PIT-28/B attachments: only those are printed");
    for (int i = 1; i <= zal_b; ++i) {
        const auto n = static_cast<std::uint8_t>(i);
        const std::string of = " (" + std::to_string(i) + ")";
        page(chbox_b_1, "PIT-28/B 1/2" + of, "Wydruk PIT-28/B 1/2", "Włóż druk PIT-28/B 1/2",
             "TF_w28b15_1", w, [w, n] { w->zal_b_1(n); })
            ->parameters = {{"nrsp", 2 * i - 1}};
        page(chbox_b_2, "PIT-28/B 2/2" + of, "Wydruk PIT-28/B 2/2", "Włóż druk PIT-28/B 2/2",
             "TF_w28b15_2", w, [w, n] { w->zal_b_2(n); })
            ->parameters = {{"nrsp", 2 * i}};
    }

    auto prepared = [&h](void (*op)(host::host_state&), const char* name) {
        return [&h, op, name] {
            vcl::trace::emit("prepare", {{"op", name}});
            op(h);
        };
    };
    page(chbox_o_1, "PIT/O 1/3", "Wydruk PIT/O 1/3", "Włóż druk PIT/O 1/3", "TF_wo15_1", d, [d] {
        d->wydzalo_I();
    })->prepare = prepared(&Zezprzel::przep_zalo, "przep_zalo");
    page(chbox_o_2, "PIT/O 2/3", "Wydruk PIT/O 2/3", "Włóż druk PIT/O 2/3", "TF_wo15_2", d, [d] {
        d->wydzalo_II();
    })->prepare = prepared(&Zezprzel::przep_zalo, "przep_zalo");
    page(chbox_d_1, "PIT/D 1/2", "Wydruk PIT/D 1/2", "Włóż druk PIT/D 1/2", "TF_wd15_1", d, [d] {
        d->wydzald_I();
    })->prepare = prepared(&Zezprzel::przep_zald, "przep_zald");
    page(chbox_d_2, "PIT/D 2/2", "Wydruk PIT/D 2/2", "Włóż druk PIT/D 2/2", "TF_wd15_2", d, [d] {
        d->wydzald_II();
    })->prepare = prepared(&Zezprzel::przep_zald, "przep_zald");
    page(chbox_2k, "PIT-2K 1/1", "Wydruk PIT-2K 1/1", "Włóż druk PIT-2K 1/1", "TF_w2k15_1", d, [d] {
        d->wydzal_2k_I();
    })->prepare = prepared(&Zezprzel::przep_zal2k, "przep_zal2k");

    begin_run(steps);
    for (const auto& step : steps)
        run_page(step, caption.get(), *d);
}

namespace {
void W28f_15_initialization()
{
    register_dialog_class({"Tf_wydpit28", "W28f_15",
                           [](vcl::TComponent* owner, host::host_state& host,
                              std::filesystem::path settings) -> print_dialog* {
                               return new Tf_wydpit28(owner, host, std::move(settings));
                           }});
}

const bool W28f_15_registered = [] {
    register_unit({"W28f_15", W28f_15_initialization, {}});
    return true;
}();
} // namespace
