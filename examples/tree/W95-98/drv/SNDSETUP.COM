Example file: Windows 95/98 driver file SNDSETUP.COM, Orvane driver release 2.0 (written for the demo).
