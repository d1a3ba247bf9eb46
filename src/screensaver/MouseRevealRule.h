#pragma once
// When a mouse movement over the lyrics screen reveals its buttons. Positions
// are in twips (1440 per logical inch) relative to the window.
//
// The first movement only records the position (there is none to compare
// with yet); after that a movement of more than 5 twips in either direction
// reveals the buttons, and a "movement" to the same position asks to hide the
// cursor once. A recorded coordinate of 0 or less (the window's edge) counts
// as no previous position.
namespace cantorel::screensaver {

class MouseRevealRule {
public:
    enum class Reaction { None, Reveal, HideCursor };

    Reaction moveTo(double xTwips, double yTwips);

    double lastX() const { return m_lastX; }
    int lastY() const { return m_lastY; }

private:
    double m_lastX = 0;
    int m_lastY = 0; // kept as whole twips
};

} // namespace cantorel::screensaver
