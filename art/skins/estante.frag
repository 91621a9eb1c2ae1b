  <!-- Tab shelf: the three tab pictures stand at 332, 426 and 515 (top 59); they repeat this gradient -->
  <rect x="326.5" y="54.5" width="290" height="103" rx="10" fill="url(#estante)" stroke="{{METAL}}" stroke-opacity="0.6"/>
  <line x1="336" y1="55.5" x2="607" y2="55.5" stroke="#ffffff" stroke-opacity="0.18"/>
