// The "Media Apps" page: the player each media type's buttons start (Audio/Video, CD Audio,
// DVD Video), the incorrect-operation prevention switch where the machine offers it, and
// the HD DVD row where the maker's marker key says the machine has such a drive.
#pragma once

#include "Controls.h"
#include "Mirrend.h"
#include "PallumPage.h"

// Opened for reading only to learn whether the machine has an HD DVD drive.
extern const char HDDVD_MARKER_KEY[];

class CMediaAppsPage : public CPallumPage {
public:
    static const CRuntimeClass classCMediaAppsPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCMediaAppsPage; }

    CMediaAppsPage();
    ~CMediaAppsPage() override;

    // Writes the three media lists and the general record; FALSE if one of them failed
    // (every one is still tried; the sheet warns once for all pages).
    BOOL SaveSettings() override;

    // Fills list with the players of media (list position = player index) and selects the
    // current one; an empty media list disables it. FALSE when the list has players but
    // none to select (none chosen, or an index beyond the list).
    BOOL FillPlayerList(const CMediaManager& media, CComboBox& list);

    // Handlers.
    void OnSelchangeAudioVideo();
    void OnSelchangeCD();
    void OnSelchangeDVD();
    void OnSelchangeHDDVD();
    void OnPreventClicked();
    void OnRestoreDefaults();

    // The media lists offer players of m_playerManager: built after it, gone before it.
    CPlayerManager m_playerManager;
    CMediaManager m_cdMedia;
    CMediaManager m_dvdMedia;
    CMediaManager m_mp3Media;   // shown in the Audio/Video row
    CComboBox m_cbHDDVD;
    CStatic m_stAudioVideo;
    CComboBox m_cbDVD;
    CComboBox m_cbCD;
    CComboBox m_cbAudioVideo;
    int m_nAudioVideo;
    int m_nCD;
    int m_nDVD;
    int m_bPrevent;
    int m_nHDDVD;

protected:
    BOOL ReadSettings() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnSelchange(int& nIndex, CMediaManager& media);
};
