// The virtual device models and the parsing of model lists such as
// "mouse,keyboard-receiver" or "all".
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sim {

enum class Model { Mouse, MouseReceiver, Keyboard, KeyboardReceiver, Mousepad, Headset };

QString ModelName(Model model);
std::optional<Model> ModelFromName(const QString& name);
QStringList AllModelNames();

// Comma-separated model names; "all" gives every model, "auto" and an empty
// text the default set (wired mouse, wired keyboard, mousepad, headset).
// Duplicates are kept once. False with a message naming the bad entry.
bool ParseModelList(const QString& text, std::vector<Model>* models, QString* error);

}  // namespace sim
