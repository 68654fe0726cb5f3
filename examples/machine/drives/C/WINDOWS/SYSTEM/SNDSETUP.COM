Example file: SNDSETUP.COM of the previous Orvane driver release 1.2.
