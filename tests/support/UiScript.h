// Drives modal windows from inside their own thread: a thread timer runs the steps in
// order while the modal loop (or any nested one, such as a message box) pumps messages.
// A step returns false to be tried again at the next tick (waiting for a window). A step
// that blocks in a nested loop lets the following steps run meanwhile, so one step can
// press a button and the next can answer the message box it opens.
//
// When the deadline passes, every window of the thread is closed so the modal call
// returns and the test can report the failure; if even that does not end the loop within
// five seconds, the run ends with exit code 3.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class UiScript {
public:
    using Step = std::function<bool()>;

    explicit UiScript(DWORD nTimeoutMs = 10000);
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    UiScript& Then(Step step);
    // Starts ticking; the steps run inside the caller's next modal call.
    void Start();

    bool Finished() const { return m_nNext >= m_steps.size() && m_nRunning == 0; }
    bool TimedOut() const { return m_bTimedOut; }
    size_t StepsRun() const { return m_nNext; }

private:
    static void CALLBACK TimerProc(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);
    void Tick();
    void CloseEverything();

    std::vector<Step> m_steps;
    std::vector<bool> m_busy;
    size_t m_nNext;
    int m_nRunning;
    DWORD m_nTimeoutMs;
    DWORD m_nStart;
    bool m_bTimedOut;
    UINT_PTR m_nTimer;
};

// A step that runs action once.
UiScript::Step Do(std::function<void()> action);
// A step that waits for a shown top-level window of this thread titled pszTitle, then runs
// action on it.
UiScript::Step OnWindow(const char* pszTitle, std::function<void(HWND)> action);

// A message box shown by this thread (the newest), null if none.
HWND FindMessageBox();
// Its text.
std::string MessageBoxText(HWND hBox);
// Closes it as if OK was pressed.
void CloseMessageBox(HWND hBox);
// A step that answers the next message box with OK, keeping its text in *pText.
UiScript::Step AnswerMessageBox(std::string* pText);
// Runs action() (which may block in nested loops, as a pressed Apply does) while every
// message box this thread shows is answered with OK; returns them as "caption|text". Past
// the deadline every dialog of the thread is closed and "(timed out)" ends the list.
std::vector<std::string> AnswerMessageBoxes(const std::function<void()>& action, DWORD nTimeoutMs = 10000);

// Sends the BN_CLICKED a click on button nID of hDialog would send (whatever the button's
// state: a test may click a disabled one).
void Click(HWND hDialog, int nID);
// Posts that BN_CLICKED and nudges the loop: for a dialog about to run modally on this thread.
void PostClick(HWND hDialog, int nID);
// Clicks button nID of hDialog as the user does (BM_CLICK): a check box or radio button
// changes, then notifies; a disabled button does nothing.
void PressItem(HWND hDialog, int nID);
// Presses a property sheet button (PSBTN_...) and nudges the modal loop, which may wait.
void PressSheetButton(HWND hSheet, int nButton);
// Handles this thread's queued messages (posted ones included) until none is left.
void PumpMessages();
// Runs this thread's queued messages until pred() or the timeout; true if pred() held.
bool PumpUntil(const std::function<bool()>& pred, DWORD nTimeoutMs = 5000);
