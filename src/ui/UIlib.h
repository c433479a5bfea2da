// Everything of the skinned UI library in one include.
#pragma once

#include "ui/UIButton.h"
#include "ui/UIContainer.h"
#include "ui/UIControl.h"
#include "ui/UIControlFactory.h"
#include "ui/UIDefines.h"
#include "ui/UIDlgBuilder.h"
#include "ui/UILabel.h"
#include "ui/UIManager.h"
#include "ui/UIMarkup.h"
#include "ui/UIRender.h"
#include "ui/UIResourceManager.h"
#include "ui/UIScrollBar.h"
#include "ui/UIWindow.h"
