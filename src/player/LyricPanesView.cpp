#include "player/LyricPanesView.h"

#include "platform/Twips.h"
#include "player/Form1Ui.h"
#include "widgets/LyricPane.h"

namespace cantorel {

LyricPanesView::LyricPanesView(LyricPane& text1, LyricPane& text2, QWidget& form)
    : m_text1(text1), m_text2(text2), m_form(form)
{
    m_shown.twoPanes = !m_text2.isHidden();
}

void LyricPanesView::show(const LyricLines& lines)
{
    const lyrics::PaneTexts& now = lines.panes;
    const lyrics::PaneTexts& was = m_shown.panes;
    if (now.text1 != was.text1)
        m_text1.setLyric(now.text1);
    if (now.tip1 != was.tip1)
        m_text1.setTip(now.tip1);
    if (now.text2 != was.text2)
        m_text2.setLyric(now.text2);
    if (now.tip2 != was.tip2)
        m_text2.setTip(now.tip2);
    if (lines.bold1 != m_shown.bold1)
        m_text1.setBold(lines.bold1);
    if (lines.bold2 != m_shown.bold2)
        m_text2.setBold(lines.bold2);
    if (lines.twoPanes != m_shown.twoPanes)
        setTwoPanes(lines.twoPanes);
    m_shown = lines;
}

void LyricPanesView::setTwoPanes(bool two)
{
    const int height = two ? Form1Ui::kTwoPaneHeight : Form1Ui::kOnePaneHeight;
    m_text1.setFixedHeight(twipsToPixels(height, &m_form));
    m_text2.setEnabled(two);
    m_text2.setVisible(two);
}

} // namespace cantorel
