#include "ui/popup_button.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace ui {
namespace {

constexpr int kPictureSide = 16;  // points: the pictures of the items and of the closed button
constexpr int kPictureGap = 4;    // points between a picture and its title, as combo boxes have

// A menu title shows '&' as itself, not as the mark of a shortcut letter.
QString menuTitle(const std::string& title) {
    return QString::fromStdString(title).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

PopUpButton::PopUpButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

void PopUpButton::setPictureLoader(PictureLoader loader) {
    loader_ = std::move(loader);
    update();
}

void PopUpButton::setChoiceHandler(ChoiceHandler handler) {
    onChoice_ = std::move(handler);
}

void PopUpButton::itemsChanged() {
    ++generation_;
    if (selected_ >= static_cast<int>(items_.size())) {
        selected_ = -1;
    }
    updateGeometry();
    update();
}

void PopUpButton::select(int position) {
    selected_ = position >= 0 && position < static_cast<int>(items_.size()) ? position : -1;
    update();
}

QMenu* PopUpButton::openMenu() {
    // The menu opened before is closed by now; whatever choice it delivered is over.
    if (menu_) {
        menu_->deleteLater();
    }
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("popUpMenu"));
    fill(menu_, items_, {});
    menu_->setMinimumWidth(width());
    if (selected_ >= 0) {
        menu_->setActiveAction(menu_->actions().value(selected_));
    }
    connect(menu_, &QMenu::aboutToHide, this, qOverload<>(&QWidget::update));
    menu_->popup(mapToGlobal(QPoint(0, height())));
    update();
    return menu_;
}

void PopUpButton::fill(QMenu* menu, const std::vector<MenuItem>& items,
                       const std::vector<int>& above) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        std::vector<int> positions = above;
        positions.push_back(static_cast<int>(i));
        QAction* action = nullptr;
        if (item.submenu.empty()) {
            action = menu->addAction(picture(item.picture), menuTitle(item.title));
            connect(action, &QAction::triggered, this,
                    [this, positions, generation = generation_] { choose(positions, generation); });
        } else {
            QMenu* submenu = menu->addMenu(picture(item.picture), menuTitle(item.title));
            fill(submenu, item.submenu, positions);
            action = submenu->menuAction();
        }
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
    }
}

void PopUpButton::choose(const std::vector<int>& positions, unsigned generation) {
    if (generation != generation_) {
        return;  // the items changed while the menu was open
    }
    if (positions.size() == 1) {
        select(positions.front());
    }
    chosen_.clear();
    const std::vector<MenuItem>* level = &items_;
    for (const int position : positions) {
        const MenuItem& item = (*level)[position];
        chosen_.push_back(item.tag);
        level = &item.submenu;
    }
    if (onChoice_) {
        ChoiceHandler handler = onChoice_;  // the handler may replace itself
        handler();
    }
}

QIcon PopUpButton::picture(const std::string& resource) const {
    return resource.empty() || !loader_ ? QIcon() : loader_(resource);
}

QSize PopUpButton::sizeHint() const {
    // Wide enough for the widest top-level title; an empty button keeps a usable width.
    const QFontMetrics metrics = fontMetrics();
    int textWidth = metrics.horizontalAdvance(QStringLiteral("MMMMMM"));
    bool pictures = false;
    for (const MenuItem& item : items_) {
        if (!item.separator) {
            textWidth =
                std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(item.title)));
            pictures = pictures || !item.picture.empty();
        }
    }
    const QSize contents(textWidth + (pictures ? kPictureSide + kPictureGap : 0),
                         std::max(metrics.height(), pictures ? kPictureSide : 0));
    QStyleOptionComboBox option;
    option.initFrom(this);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

QSize PopUpButton::minimumSizeHint() const {
    return sizeHint();
}

void PopUpButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = false;
    option.frame = true;
    option.iconSize = QSize(kPictureSide, kPictureSide);
    if (selected_ >= 0 && !items_[selected_].separator) {
        option.currentText = QString::fromStdString(items_[selected_].title);
        option.currentIcon = picture(items_[selected_].picture);
    }
    if (menu_ && menu_->isVisible()) {
        option.state |= QStyle::State_On;
    }
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void PopUpButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    openMenu();
}

void PopUpButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_F4:
            event->accept();
            openMenu();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace ui
