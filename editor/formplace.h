// The places of the route form: its language selectors and pages, and where the most recently
// applied change took place, which undo and redo bring back into view.
#pragma once

struct FormPlace
{
    // The language selectors, in the order the place of a change records them.
    enum LangGroup
    {
        GeneralLang,
        FrontLang,
        SideLang,
        BackLang,
        SalonTempLang,
        OutsideTempLang,
        RouteTextLang,
        StationLang,
        LangGroupCount
    };
    // Pages of routeTabs, salonOrderTabs and stationTabs, as laid out.
    enum RouteTab
    {
        GeneralTab,
        FrontTab,
        SideTab,
        BackTab,
        SalonTab
    };
    enum SalonTab
    {
        SalonOrderTab,
        RouteTextTab,
        OutsideTempTab,
        SalonTempTab,
        AdTab
    };
    enum StationTab
    {
        StationNameTab,
        SoundTab,
        TextTab,
        CoordinateTab
    };

    // The apply operations fill in their own members.
    struct LastChange
    {
        int station = -1;
        int soundRow = 0;
        int textRow = 0;
        int adRow = 0;
        int lang[LangGroupCount] = {};
        int routeTab = GeneralTab;
        int salonTab = SalonOrderTab;
        int stationTab = StationNameTab;
    };
};
