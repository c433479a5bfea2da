// nuvaro-light-preview: renders consecutive frames of one light effect into a
// PNG, each frame drawn like the device's lights, so an animation can be
// judged at a glance.
#include "PreviewLayout.h"

#include "devices/light/KeyboardLightEngine.h"
#include "devices/light/LightThread.h"
#include "devices/light/MouseLightEngine.h"
#include "devices/light/PairLightEngine.h"

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

int Fail(const QString& text) {
    std::fprintf(stderr, "nuvaro-light-preview: %s\n", qPrintable(text));
    return 2;
}

bool ReadInt(const QCommandLineParser& p, const QString& name, int lo, int hi, int* out) {
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const int v = p.value(name).toInt(&ok, 0);
    if (!ok || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription("Renders frames of a light effect into a PNG.");
    p.addHelpOption();
    p.addOptions({
        {"family", "keyboard, mouse, mousepad or headset.", "name"},
        {"effect", "Effect (keyboard: effect id; others: effect index).", "n"},
        {"speed", "Speed index 0..4 (default 2).", "s"},
        {"colourful", "Use spectrum colours."},
        {"frames", "Frames to draw (default 32).", "f"},
        {"out", "PNG file to write.", "file"},
        {"every", "Renders per drawn frame (default 1).", "k"},
        {"brightness", "Brightness index 0..4 (default 4).", "b"},
        {"direction", "Direction 0 or 1 (default 1).", "d"},
        {"colour", "Fixed colour as RRGGBB (default 00A0FF).", "rgb"},
        {"press", "Key pressed before the first frame (mouse: any value).", "key"},
        {"music-style", "Keyboard music style 0..6 (effect 29).", "s"},
        {"zzcc", "Keyboard zone sub-mode for effect 17.", "n"},
        {"per-row", "Frames per picture row (default 8).", "n"},
        {"seed", "Random seed (default 1).", "n"},
    });
    p.process(app);

    const QString family = p.value("family");
    if (!p.isSet("family") || !p.isSet("effect") || !p.isSet("out"))
        return Fail("--family, --effect and --out are required (see --help)");
    int effect = 0, speed = 2, frames = 32, every = 1, brightness = 4, direction = 1;
    int press = -1, musicStyle = 0, zzcc = 0, perRow = 8, seed = 1;
    if (!ReadInt(p, "effect", 0, 255, &effect) || !ReadInt(p, "speed", 0, 4, &speed) ||
        !ReadInt(p, "frames", 1, 2000, &frames) || !ReadInt(p, "every", 1, 10000, &every) ||
        !ReadInt(p, "brightness", 0, 4, &brightness) ||
        !ReadInt(p, "direction", 0, 1, &direction) || !ReadInt(p, "press", 0, 169, &press) ||
        !ReadInt(p, "music-style", 0, 6, &musicStyle) || !ReadInt(p, "zzcc", 0, 255, &zzcc) ||
        !ReadInt(p, "per-row", 1, 100, &perRow) || !ReadInt(p, "seed", 0, 1 << 30, &seed))
        return Fail("a numeric option is not a number or out of range");
    bool colourOk = true;
    const uint32_t rgb = p.isSet("colour") ? p.value("colour").toUInt(&colourOk, 16) : 0x00A0FF;
    if (!colourOk || rgb > 0xFFFFFF)
        return Fail("--colour takes RRGGBB");

    std::unique_ptr<light::LightEngine> engine;
    light::KeyboardLightEngine* keyboard = nullptr;
    light::MouseLightEngine* mouse = nullptr;
    if (family == "keyboard") {
        auto k = std::make_unique<light::KeyboardLightEngine>();
        keyboard = k.get();
        engine = std::move(k);
    } else if (family == "mouse") {
        auto m = std::make_unique<light::MouseLightEngine>();
        mouse = m.get();
        engine = std::move(m);
    } else if (family == "mousepad") {
        engine = std::make_unique<light::PairLightEngine>(light::PairLightEngine::Family::Mousepad);
    } else if (family == "headset") {
        engine = std::make_unique<light::PairLightEngine>(light::PairLightEngine::Family::Headset);
    } else {
        return Fail("unknown family '" + family + "'");
    }
    PreviewLayout layout;
    LayoutForFamily(family, engine->LightCount(), &layout);

    // A simulated millisecond clock that advances by one render period per
    // render, so timed effects (flash, step lists) look as they would live.
    int64_t clockUs = 0;
    engine->SetClock([&clockUs] { return uint32_t(clockUs / 1000); });
    engine->SetRandomSeed(uint32_t(seed));
    light::LightState state;
    state.effect = uint8_t(effect);
    state.speed = uint8_t(speed);
    state.brightness = uint8_t(brightness);
    state.direction = uint8_t(direction);
    state.colourful = p.isSet("colourful") ? 1 : 0;
    state.red = uint8_t(rgb >> 16);
    state.green = uint8_t(rgb >> 8);
    state.blue = uint8_t(rgb);
    state.zzccMode = uint8_t(zzcc);
    if (keyboard) {
        light::LightState none = state;
        none.effect = uint8_t(effect == 0 ? 1 : 0);  // so the effect counts as changed
        keyboard->SetLightState(none);
        keyboard->ChangeEffect(state);
        light::MusicSettings music;
        music.style = uint8_t(musicStyle);
        music.bkRed = 0, music.bkGreen = 60, music.bkBlue = 255;
        music.fgRed = 255, music.fgGreen = 40, music.fgBlue = 40;
        keyboard->SetMusicSettings(music);
        if (effect == 19) {  // custom colours: a rainbow by column
            std::vector<light::Rgb> colours(170);
            for (int i = 0; i < 170; ++i) {
                const auto cell = light::CellOfKey(i);
                colours[i] = light::SpectrumAt(cell.column < 0 ? 0 : cell.column * 8);
            }
            keyboard->SetCustomColors(colours);
        }
        if (press >= 0)
            keyboard->TriggerKey(press, 1);
        const int32_t external[6] = {255, 120, 0, 0, 0, 0};  // effect 30: an orange
        keyboard->SetAudioPeaks(external, 6);
    } else {
        engine->LoadLightState(state);
        if (mouse && press >= 0)
            mouse->TriggerReactive();
    }

    // A sample step list for the effects that play one: red breathing, then
    // a colourful flash.
    const light::LightStep breathe{0, 4, 3, 1, 0, 255, 0, 0, 300, 1};
    const light::LightStep flash{2, 4, 4, 1, 1, 0, 0, 0, 300, 1};
    engine->SetLightSteps({breathe, flash});

    const int cell = 12, gap = 2, framePad = 10;
    const QSize frameSize(layout.grid.width() * (cell + gap), layout.grid.height() * (cell + gap));
    const int cols = std::min(frames, perRow);
    const int rows = (frames + perRow - 1) / perRow;
    QImage image(cols * (frameSize.width() + framePad) + framePad,
                 rows * (frameSize.height() + framePad) + framePad, QImage::Format_RGB32);
    image.fill(QColor(0x15, 0x17, 0x1C));
    QPainter painter(&image);
    int rendered = 0;
    for (int f = 0; f < frames; ++f) {
        for (int k = 0; k < every; ++k) {
            if (keyboard && effect == 29 && rendered % 12 == 0) {
                int32_t levels[25];
                for (int b = 0; b < 25; ++b)
                    levels[b] = int32_t(1000 + 900 * std::sin(rendered * 0.05 + b * 0.4));
                keyboard->SetAudioSpectrum(levels, 500);
            }
            if (keyboard && press >= 0 && rendered == 3)
                keyboard->TriggerKey(press, 2);
            engine->RenderTick();
            clockUs += light::RenderPeriod(engine->GetTickMode(), engine->Threshold()).count();
            ++rendered;
        }
        const QPoint origin(framePad + (f % perRow) * (frameSize.width() + framePad),
                            framePad + (f / perRow) * (frameSize.height() + framePad));
        for (int i = 0; i < engine->LightCount(); ++i) {
            const QPoint at = layout.cellOf[std::size_t(i)];
            if (at.x() < 0)
                continue;
            const uint32_t w = engine->Frame().Get(i);
            const int level = light::LightLevel(w);
            const QColor c(0x20 + (light::LightRed(w) - 0x20) * level / 255,
                           0x22 + (light::LightGreen(w) - 0x22) * level / 255,
                           0x28 + (light::LightBlue(w) - 0x28) * level / 255);
            painter.fillRect(origin.x() + at.x() * (cell + gap), origin.y() + at.y() * (cell + gap),
                             cell, cell, c);
        }
    }
    painter.end();
    if (!image.save(p.value("out"), "PNG"))
        return Fail("cannot write " + p.value("out"));
    return 0;
}
