#include "clihost.h"

void CliWindow::showStatus(const std::string &text)
{
    m_status = text;
}

void CliWindow::setProgress(int iVal, int iMax)
{
    if (iMax <= 0 || !onProgress)
        return;
    const double share = (phase + static_cast<double>(iVal) / iMax) / (phases > 0 ? phases : 1);
    // The link reports every byte; a thousandth is as fine as any bar shows.
    const int permille = static_cast<int>(share * 1000);
    if (permille == m_lastPermille)
        return;
    m_lastPermille = permille;
    onProgress(share, phaseName.empty() ? m_status : phaseName + ": " + m_status);
}

MsgAnswer CliDialogs::message(const std::string &text, const std::string &caption,
                              MsgButtons buttons, MsgIcon)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            continue;
        if (text[i] == '\n' || text[i] == ' ') {
            if (!line.empty() && line.back() != ' ')
                line += ' ';
        } else {
            line += text[i];
        }
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    messages.push_back(caption + ": " + line);
    // Nobody is there to retry.
    return buttons == MsgButtons::RetryCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
}
