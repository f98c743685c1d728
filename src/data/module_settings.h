// Settings of orvex.cfg, each named after its key; the aircraft file accepts
// most of them again and wins. Values here are the defaults at module load.
#pragma once

#include "data/performance_values.h"

#include <string>

extern int config_loaded; // 1 once load_config has run

extern int AdjustTurnDistforAngle;
extern int ArmPauseAtTod;
extern int PauseAtTod;
extern int DecLatLonDisp;
extern int DispAppPtrnAlts;
extern int DispC17SpdTrend;
extern int DispETALocalTime;
extern int DispPrevWpt;
extern int DrawBodArcOnEFS50EHSI;
extern int DrawBodArcOnP1000MFD;
extern int DrawTcasWindowOnP1000MFD;
extern int EadiDualCue;
extern int EADIHdgTape;
extern int EhsiStaticHdgPointer;
extern int ExpandEADI;
extern int ExpandEADILnav;
extern std::string FlightPlansFolder; // orvex.cfg's; empty: "\\orvex\\flightplans"
extern double FlyoverWptChgDist;      // NM
extern int HdgHoldOnLnavOn;
extern int LoadFuelonFlightPlanLoad;
extern int Lnav1xAtTod;
extern int LnavOffAtLastWpt;
extern int LnavSetEnRouteFreqs;
extern int McuShowActiveRwys;
extern int MFDTextAntiAlias;
extern double min_map_range; // MinMapRange, NM
extern std::string ParkingFile;
extern int SaveFPLCruiseAlt;
extern int SequenceFPlanWpts;
extern int SetDestLoadTowerViewDist;
extern int SetSpdOffwhenAPMasterSetOff;
extern int SetUTCTimeOnFPLoad;
extern int SetWptBaro;
extern int ShowTodBodIndicators;
extern int TcasVertRange; // hundreds of feet
extern int TransAlt;      // ft
extern int VnavOffAtLastWpt;
extern int VnavOffOnManAltChg;
extern int VnavSetAlts;
extern int VnavSetSpd;
extern int VnavSetSpdOffOnManSpdChg;
extern std::string WeightUnit; // "LBS" or "KGS"
extern double WptChgDist;      // NM
extern double WptChgSecs;
extern double WptProcChgDist; // NM
extern double WptProcChgSecs;
extern int ArmPauseAtDistFromDest;
extern int PauseAtDistFromDest;
extern int pause_distance; // NM from the destination
extern int SetMCPSpdOnFlightPlanLoad;
extern int synchfplanwithfsgps; // also the aircraft file's GPSSynch
extern int AutoSetLOCFreq;
extern int LnavOnNavLock;
extern int DisplayLnavStatusOnMD11ND;
extern int DisplayVnavStatusOnMD11ND;
extern int DisplayMagVarOnGnsxlsNavPage;
inline double& ClimbMach = performance_values.climb_mach;
inline double& CruiseMach = performance_values.cruise_mach;
inline double& DescentMach = performance_values.descent_mach;

// True airspeeds (kt) of the climb and descent speed targets at 15000 ft.
extern double climb_tas_target;
extern double descent_tas_target;
